#pragma once

#include "ui_texport_dlg.h"

#include <QDialog>

class Tform1;

// Asks for the picture size of an export.
class TexportDlg : public QDialog, public Ui::TexportDlg {
    Q_OBJECT
public:
    explicit TexportDlg(Tform1* form);

    void FormShow();
    void cmdCurrentSizeClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Tform1* form_;
};
