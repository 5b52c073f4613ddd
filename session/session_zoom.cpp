#include "session/fractal_session.h"

#include "view/zoom_path.h"

#include <algorithm>

namespace {

// A band whose diagonal is this long or shorter is a click, not a zoom.
constexpr double kMinBandDiagonalSquared = 100.0;

} // namespace

void FractalSession::PressFract(Qt::MouseButton button, int x, int y)
{
    if (button == Qt::MiddleButton && GesturesAllowed())
        panFrom_ = Complex(x, y);
    if (button != Qt::LeftButton)
        return;
    panFrom_.reset();
    SetMode(modeRubberBand);
    rubberBand_ = {x, y, x, y};
}

void FractalSession::MoveFract(int x, int y)
{
    if (panFrom_) {
        PanTo(Complex(x, y));
        return;
    }
    if (mode_ != modeRubberBand)
        return;
    rubberBand_.Right = x;
    rubberBand_.Bottom = y;
    emit fractChanged();
}

void FractalSession::ReleaseFract(Qt::MouseButton button, int x, int y)
{
    if (button == Qt::LeftButton && mode_ == modeRubberBand)
        ReleaseRubberBand(x, y);
    else if (button == Qt::RightButton && !timer_.isActive() && EndlessShown())
        ZoomEndless([this] { endless_.FullView(); });
    else if (button == Qt::RightButton && !timer_.isActive())
        ZoomTo(Viewer.BoundsMin, Viewer.BoundsMax);
    else if (button == Qt::MiddleButton)
        panFrom_.reset();
}

void FractalSession::ReleaseRubberBand(int x, int y)
{
    rubberBand_.Right = x;
    rubberBand_.Bottom = y;
    const Complex c1(std::min(rubberBand_.Left, rubberBand_.Right), std::min(rubberBand_.Top, rubberBand_.Bottom));
    const Complex c2(std::max(rubberBand_.Left, rubberBand_.Right), std::max(rubberBand_.Top, rubberBand_.Bottom));
    rubberBand_ = {};
    Complex diagonal(c2);
    diagonal.Sub(c1);
    if (diagonal.SqrAbs() > kMinBandDiagonalSquared) {
        ZoomToBand(c1, c2);
    } else {
        SetMode(modeIdle);
        emit fractChanged();
    }
}

void FractalSession::ZoomToBand(const Complex& c1, const Complex& c2)
{
    if (EndlessShown()) {
        ZoomEndless([&] { endless_.SetBand(c1, c2); });
        return;
    }
    zoomMin_.Assign(c1);
    zoomMax_.Assign(c2);
    ZoomTo(zoomMin_, zoomMax_);
}

// c1 and c2 become the view window, at once or over ZoomSteps timer ticks of
// one geometric step each.
void FractalSession::ZoomTo(Complex& c1, Complex& c2)
{
    StartZoom([&] { Viewer.SetWindow(c1, c2); },
              [&](int steps) {
                  Viewer.SetRect(fractPane_);
                  const ZoomStepMapping step = GeometricZoomStep(Viewer.Scale, Viewer.Offset, steps);
                  Viewer.Scale = step.Scale;
                  Viewer.Offset = step.Offset;
              });
}

// The window is set before the first step, so that any paint outside the
// zoom shows where it ends.
void FractalSession::StartZoom(const std::function<void()>& setWindow, const std::function<void(int)>& firstStep)
{
    if (!ZoomAnimation) {
        setWindow();
        emit fractChanged();
        SetMode(modeIdle);
        return;
    }
    const int steps = ZoomStepCount(ZoomSteps);
    zoomStepsLeft_ = steps;
    CaptureZoomStart();
    setWindow();
    firstStep(steps);
    SetMode(modeZooming);
}

// The frames of the whole zoom share the scale of the picture it starts
// from, and the first of them is that picture: the clip shows where the
// zoom starts, then each step to where it ends.
void FractalSession::CaptureZoomStart()
{
    if (!recording_)
        return;
    UpdateFrameScale();
    CaptureFrame();
}

void FractalSession::ZoomStep()
{
    if (zoomStepsLeft_ > 0) {
        --zoomStepsLeft_;
        if (EndlessShown())
            endless_.ZoomStep();
        else
            Viewer.Transform();
        emit fractChanged();
    } else {
        SetMode(modeIdle);
    }
}

void FractalSession::FullView()
{
    if (EndlessShown())
        endless_.FullView();
    else
        Viewer.ResetWindow();
    emit fractChanged();
}
