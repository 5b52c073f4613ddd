#pragma once

#include "app/options_entry.h"
#include "app/settings.h"
#include "view/color_ref.h"

#include <QDialog>

#include <memory>

class Dialogs;
class QLabel;
class QSlider;

namespace Ui {
class TanimationDlg;
}

// The options dialog: colours, pen width, zoom animation, timer, editing
// rasters and the ranges of New. Every showing fills it afresh from the
// values it was given; the window takes its entry after "Ok".
class TanimationDlg : public QDialog {
    Q_OBJECT
public:
    TanimationDlg(QWidget* parent, Dialogs& dialogs);
    ~TanimationDlg() override;

    void SetValues(const SettingValues& values) { values_ = values; }
    OptionsEntry Entry() const;

    void FormShow();
    void cmdBgColorClick();
    void cmdFgColorClick();
    void tbAngRasterChange();
    void tbLenRasterChange();
    void tbMinNodesChange();
    void tbMaxNodesChange();

    static ColorRef SwatchColor(const QLabel* swatch);
    static void SetSwatchColor(QLabel* swatch, ColorRef color);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void keyPressEvent(QKeyEvent* event) override;
    void ChooseSwatchColor(QLabel* swatch);
    void ShowNodeRanges();

    std::unique_ptr<Ui::TanimationDlg> ui;
    Dialogs& dialogs_;
    SettingValues values_;
};
