#include "app/tform1.h"

#include "ui_tform1.h"
#include "view/zoom_path.h"

#include <algorithm>

namespace {

// A band whose diagonal is this long or shorter is a click, not a zoom.
constexpr double kMinBandDiagonalSquared = 100.0;

} // namespace

void Tform1::ptbFractMouseDown(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    SetMode(modeRubberBand);
    RubberBand = {x, y, x, y};
}

void Tform1::ptbFractMouseMove(int x, int y)
{
    if (Mode != modeRubberBand)
        return;
    RubberBand.Right = x;
    RubberBand.Bottom = y;
    ui->ptbFract->repaint();
}

void Tform1::ptbFractMouseUp(Qt::MouseButton button, int x, int y)
{
    if (button == Qt::LeftButton && Mode == modeRubberBand)
        ReleaseRubberBand(x, y);
    else if (button == Qt::RightButton && !Timer1.isActive())
        ZoomTo(Viewer.BoundsMin, Viewer.BoundsMax);
}

void Tform1::ReleaseRubberBand(int x, int y)
{
    RubberBand.Right = x;
    RubberBand.Bottom = y;
    const Complex c1(std::min(RubberBand.Left, RubberBand.Right), std::min(RubberBand.Top, RubberBand.Bottom));
    const Complex c2(std::max(RubberBand.Left, RubberBand.Right), std::max(RubberBand.Top, RubberBand.Bottom));
    RubberBand = {};
    Complex diagonal(c2);
    diagonal.Sub(c1);
    if (diagonal.SqrAbs() > kMinBandDiagonalSquared) {
        // The view keeps referring to the corners while the zoom lasts.
        ZoomMin.Assign(c1);
        ZoomMax.Assign(c2);
        ZoomTo(ZoomMin, ZoomMax);
    } else {
        SetMode(modeIdle);
        ui->ptbFract->repaint();
    }
}

// c1 and c2 become the view window, at once or over ZoomSteps timer ticks of
// one geometric step each.
void Tform1::ZoomTo(Complex& c1, Complex& c2)
{
    if (!ZoomAnimation) {
        Viewer.SetWindow(c1, c2);
        ui->ptbFract->repaint();
        SetMode(modeIdle);
        return;
    }
    const int steps = ZoomStepCount(ZoomSteps);
    ZoomStepsLeft = steps;
    // The frames of the whole zoom share the scale of the picture it starts from.
    if (Recording)
        UpdateFrameScale();
    Viewer.SetWindow(c1, c2);
    Viewer.SetRect(ToPixelRect(ui->ptbFract->ClientRect()));
    const ZoomStepMapping step = GeometricZoomStep(Viewer.Scale, Viewer.Offset, steps);
    Viewer.Scale = step.Scale;
    Viewer.Offset = step.Offset;
    SetMode(modeZooming);
}

void Tform1::ZoomStep()
{
    if (ZoomStepsLeft > 0) {
        --ZoomStepsLeft;
        Viewer.Transform();
        ui->ptbFract->repaint();
    } else {
        SetMode(modeIdle);
    }
}

void Tform1::N1001Click()
{
    Viewer.ResetWindow();
    ui->ptbFract->repaint();
}
