#pragma once

#include "view/curve_coloring.h"

#include <QDialog>

#include <memory>

class Dialogs;
class QPushButton;

namespace Ui {
class TfarbenDlg;
}

// The curve's colours: one colour, a gradient along the curve (its stops,
// a preset, its repeats) or a colour per generator edge at a level. Every
// showing starts from the coloring it was given; the window takes
// Coloring() after "Ok".
class TfarbenDlg : public QDialog {
    Q_OBJECT
public:
    TfarbenDlg(QWidget* parent, Dialogs& dialogs);
    ~TfarbenDlg() override;

    void SetColoring(const CurveColoring& coloring);
    const CurveColoring& Coloring() const { return coloring_; }

    // The gradients the preset list offers, in its order.
    static std::vector<GradientStop> Preset(int index);

private:
    void ShowColoring();
    void ShowStops(int selected);
    void ShowPreview();
    void ShowPreset();
    void ShowEdgeColors();
    int SelectedStop() const;
    void ModeChange();
    void lstStopsChange();
    void txtPositionChange();
    void cmdStopColorClick();
    void cmdAddStopClick();
    void cmdDeleteStopClick();
    void cboPresetChange();
    void cmdEdgeClick(int edge);

    std::unique_ptr<Ui::TfarbenDlg> ui;
    Dialogs& dialogs_;
    CurveColoring coloring_;
    std::vector<QPushButton*> edgeButtons_;
    // While the dialog itself fills its controls, their signals change
    // nothing.
    bool showing_ = false;
};
