#include "session/fractal_session.h"

#include "view/curve_drawing.h"
#include "view/frame_capture.h"

#include <QPainter>

#include <exception>

bool FractalSession::PrepareFrame(QSize size)
{
    bitFrame_ = QImage(size, QImage::Format_Mono);
    colourFrame_ = QImage(size, QImage::Format_RGB32);
    lastFrame_ = &bitFrame_;
    return !bitFrame_.isNull() && !colourFrame_.isNull();
}

// Capturing starts only with "Start".
void FractalSession::SetUpRecording(std::unique_ptr<ClipSink> clip)
{
    clip_ = std::move(clip);
    framesRecorded_ = 0;
    recording_ = false;
}

// A zoom already running when the capture starts keeps the pane's picture
// whole in the frame.
void FractalSession::StartStopCapture()
{
    if (!clip_)
        return;
    recording_ = !recording_;
    if (recording_ && mode_ == modeZooming)
        frameScale_ = FrameScaleFor(Complex(0, 0), Complex(fractPane_.Right, fractPane_.Bottom), bitFrame_.width(),
                                    bitFrame_.height());
    emit captureChanged(recording_);
}

void FractalSession::StopCapture()
{
    recording_ = false;
}

// The writer's work is released in any case.
std::optional<ClipFailure> FractalSession::FinishRecording(WorkProgress& progress)
{
    const std::unique_ptr<ClipSink> clip = EndRecording();
    return clip ? FinishClip(*clip, progress) : std::nullopt;
}

std::unique_ptr<ClipSink> FractalSession::EndRecording()
{
    std::unique_ptr<ClipSink> clip = framesRecorded_ > 0 ? std::move(clip_) : nullptr;
    AbandonRecording();
    return clip;
}

void FractalSession::AbandonRecording()
{
    recording_ = false;
    clip_.reset();
    framesRecorded_ = 0;
    emit captureChanged(false);
}

void FractalSession::UpdateFrameScale()
{
    const auto [windowMin, windowMax] = WindowInPane();
    frameScale_ = FrameScaleFor(windowMin, windowMax, bitFrame_.width(), bitFrame_.height());
}

// The same pixels either way; the colours can change between two frames.
QImage& FractalSession::DrawFrame()
{
    CurveStyle style = Style();
    style.Antialiased = style.Antialiased && clip_->TakesShades();
    QImage& frame = DrawsOnBits(style) ? bitFrame_ : colourFrame_;
    if (&frame == &bitFrame_)
        bitFrame_.setColorTable({ToQColor(style.Background).rgb(), ToQColor(style.Foreground).rgb()});
    QPainter painter(&frame);
    const PixelRect rect{0, 0, frame.width(), frame.height()};
    Renderer().Picture(ViewPlacement::ScaledBy(frameScale_, rect), style)->Draw(painter);
    lastFrame_ = &frame;
    return frame;
}

// A failing frame stops the capture before its message goes out: a message
// box inside a tick would let the timer pile up further boxes behind it.
void FractalSession::CaptureFrame()
{
    if (mode_ == modeAnimating)
        UpdateFrameScale();
    try {
        clip_->AddFrame(DrawFrame());
    } catch (const std::exception& e) {
        recording_ = false;
        emit captureChanged(false);
        emit captureFailed(ClipFailureOf(e));
        return;
    }
    ++framesRecorded_;
    emit framesChanged(framesRecorded_);
}
