#include "session/fractal_session.h"

#include "view/zoom_path.h"

// A zoom belongs to the view it started in: switching ends it.
void FractalSession::SetEndlessZoom(bool on)
{
    if (on == endlessZoom_)
        return;
    if (mode_ == modeZooming)
        SetMode(modeIdle);
    endlessZoom_ = on;
    if (on)
        endless_.Recalculate(Generator);
    emit fractChanged();
    emit endlessChanged();
}

void FractalSession::SetEndlessWindow(const BigComplex& a, const BigComplex& b)
{
    endless_.SetWindow(a, b);
    emit fractChanged();
}

void FractalSession::ZoomEndless(const std::function<void()>& setWindow)
{
    StartZoom(
        [&] {
            setWindow();
            endless_.LimitDepth(fractPane_);
        },
        [this](int steps) { endless_.PrepareZoom(fractPane_, steps); });
}

void FractalSession::Dive(const BigComplex& point, const BigFloat& magnification, int steps)
{
    if (!EndlessShown())
        return;
    endless_.FullView();
    endless_.FitToPane(fractPane_);
    zoomStepsLeft_ = ZoomStepCount(steps);
    CaptureZoomStart();
    const BigFloat deepest = DeepestMagnification();
    endless_.PrepareDive(point, deepest < magnification ? deepest : magnification, fractPane_, zoomStepsLeft_);
    SetMode(modeZooming);
}

std::pair<Complex, Complex> FractalSession::WindowInPane() const
{
    if (EndlessShown())
        return endless_.WindowInPane();
    return {*Viewer.WindowMin, *Viewer.WindowMax};
}
