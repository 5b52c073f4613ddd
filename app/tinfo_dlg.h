#pragma once

#include "ui_tinfo_dlg.h"

#include <QDialog>

// The about box.
class TInfoDlg : public QDialog, public Ui::TInfoDlg {
    Q_OBJECT
public:
    explicit TInfoDlg(QWidget* parent);
};
