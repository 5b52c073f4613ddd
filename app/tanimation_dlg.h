#pragma once

#include "color_ref.h"
#include "ui_tanimation_dlg.h"

#include <QDialog>

class Tform1;

// The options dialog: colours, pen width, zoom animation, timer, editing
// rasters and the ranges of New. Every showing fills it afresh from the main
// window; the main window applies it after "Ok".
class TanimationDlg : public QDialog, public Ui::TanimationDlg {
    Q_OBJECT
public:
    explicit TanimationDlg(Tform1* form);

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

    Tform1* form_;
};
