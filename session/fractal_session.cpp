#include "session/fractal_session.h"

#include "model/fract_file.h"
#include "model/start_generator.h"
#include "view/zoom_path.h"

FractalSession::FractalSession()
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&history_.Stack(), &QUndoStack::indexChanged, this, &FractalSession::historyChanged);
    ApplySettings(SettingValues());
    MakeStartGenerator(Generator);
    Viewer.Depth = kMinFileDepth;
    Viewer.Recalculate();
}

// A clip set up and never finished leaves no file.
FractalSession::~FractalSession() = default;

void FractalSession::ApplySettings(const SettingValues& v)
{
    Viewer.BgColor = v.BgColor;
    Viewer.FgColor = v.FgColor;
    Viewer.PenWidth = v.PenWidth;
    ZoomSteps = v.ZoomSteps;
    timer_.setInterval(v.ZoomDelay);
    ZoomAnimation = v.ZoomAnimation;
    Editor.AngRaster = v.AngRaster;
    Editor.LenRaster = v.LenRaster;
    MinNodes = v.MinNodes;
    MaxNodes = v.MaxNodes;
    MinLength = v.MinLength;
    MaxLength = v.MaxLength;
    ExportWidth = v.ExportWidth;
    ExportHeight = v.ExportHeight;
    Antialiasing = v.Antialiasing;
    Coloring = v.Coloring;
    SetEndlessZoom(v.EndlessZoom);
}

SettingValues FractalSession::Settings() const
{
    SettingValues v;
    v.BgColor = Viewer.BgColor;
    v.FgColor = Viewer.FgColor;
    v.PenWidth = Viewer.PenWidth;
    v.ZoomSteps = ZoomSteps;
    v.ZoomDelay = timer_.interval();
    v.ZoomAnimation = ZoomAnimation;
    v.AngRaster = Editor.AngRaster;
    v.LenRaster = Editor.LenRaster;
    v.MinNodes = MinNodes;
    v.MaxNodes = MaxNodes;
    v.MinLength = MinLength;
    v.MaxLength = MaxLength;
    v.ExportWidth = ExportWidth;
    v.ExportHeight = ExportHeight;
    v.Antialiasing = Antialiasing;
    v.Coloring = Coloring;
    v.EndlessZoom = endlessZoom_;
    return v;
}

// An animation switched on while paused waits for the pause to end. The
// stop or pause that ends an animation ends its step.
void FractalSession::SetMode(InteractionMode m)
{
    if (m == mode_)
        return;
    if (paused_ && m == modeAnimating)
        return;
    if (mode_ == modeAnimating)
        history_.EndRun();
    if (m == modeZooming || m == modeAnimating) {
        if (!timer_.isActive())
            timer_.start();
    } else {
        timer_.stop();
    }
    paused_ = m != modeAnimating;
    mode_ = m;
    emit modeChanged(m);
}

// A tick that has just ended a zoom captures nothing.
void FractalSession::Tick()
{
    if (mode_ == modeZooming)
        ZoomStep();
    else if (mode_ == modeAnimating)
        AnimationStep();
    if (recording_ && (mode_ == modeZooming || mode_ == modeAnimating))
        CaptureFrame();
}

CurveStyle FractalSession::Style() const
{
    CurveStyle style = Viewer.Style(lines_);
    style.Antialiased = Antialiasing;
    style.Coloring = Coloring;
    return style;
}

ViewRenderer& FractalSession::Renderer()
{
    if (EndlessShown())
        return endlessRenderer_;
    return renderer_;
}

std::unique_ptr<ViewPicture> FractalSession::Picture(const ViewPlacement& placement)
{
    return Renderer().Picture(placement, Style());
}

// Every change of the generator returns the view to the whole curve; the
// endless view asks anew whether the generator has a limit curve.
void FractalSession::Recalculate()
{
    Viewer.Recalculate();
    if (endlessZoom_)
        endless_.Recalculate(Generator);
    emit fractChanged();
    if (endlessZoom_)
        emit endlessChanged();
}
