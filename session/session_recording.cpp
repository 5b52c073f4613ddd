#include "session/fractal_session.h"

#include "view/frame_capture.h"

#include <QPainter>

#include <exception>

bool FractalSession::PrepareFrame(QSize size)
{
    frame_ = QImage(size, QImage::Format_RGB32);
    return !frame_.isNull();
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
        frameScale_ = FrameScaleFor(Complex(0, 0), Complex(fractPane_.Right, fractPane_.Bottom), frame_.width(),
                                    frame_.height());
    emit captureChanged(recording_);
}

void FractalSession::StopCapture()
{
    recording_ = false;
}

// The writer's work is released in any case.
QString FractalSession::FinishRecording()
{
    recording_ = false;
    QString failure;
    if (clip_ && framesRecorded_ > 0) {
        try {
            clip_->Finish();
        } catch (const std::exception& e) {
            failure = QString::fromStdString(e.what());
        }
    }
    AbandonRecording();
    return failure;
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
    frameScale_ = FrameScaleFor(windowMin, windowMax, frame_.width(), frame_.height());
}

// A failing frame stops the capture before its message goes out: a message
// box inside a tick would let the timer pile up further boxes behind it.
void FractalSession::CaptureFrame()
{
    if (mode_ == modeAnimating)
        UpdateFrameScale();
    {
        QPainter painter(&frame_);
        const PixelRect frame{0, 0, frame_.width(), frame_.height()};
        Picture(ViewPlacement::ScaledBy(frameScale_, frame))->Draw(painter);
    }
    try {
        clip_->AddFrame(frame_);
    } catch (const std::exception& e) {
        recording_ = false;
        emit captureChanged(false);
        emit captureFailed(QString::fromStdString(e.what()));
        return;
    }
    ++framesRecorded_;
    emit framesChanged(framesRecorded_);
}
