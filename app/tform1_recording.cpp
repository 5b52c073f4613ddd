#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/trecord_dlg.h"
#include "output/picture_export.h"
#include "ui_tform1.h"
#include "view/frame_capture.h"

#include <QCloseEvent>

namespace {

// The writer's frame until the first video export sets its own.
constexpr std::int32_t kFrameWidth = 102;
constexpr std::int32_t kFrameHeight = 76;
constexpr std::int32_t kFrameTime = 50;

} // namespace

void Tform1::SetUpRecording()
{
    aviWriter.Width = kFrameWidth;
    aviWriter.Height = kFrameHeight;
    aviWriter.FrameTime = kFrameTime;
    aviWriter.Stretch = true;
    aviWriter.PixelFormat = pf1bit;
    recordDlg = new TrecordDlg(this);
    recordDlg->OnStartStop = [this] { cmdStartStopClick(); };
    recordDlg->OnOk = [this] { cmdOkClick(); };
    recordDlg->OnFinish = [this] { FinishRecording(); };
}

bool Tform1::RecordingSetUp() const
{
    return recordDlg->isVisible();
}

// Capturing starts only with "Start"; each frame lasts one timer interval
// as it is now.
void Tform1::StartRecording(int width, int height, const QString& fileName)
{
    if (width <= 0 || height <= 0)
        throw PictureSizeError("a frame needs a size above zero");
    aviWriter.Width = width;
    aviWriter.Height = height;
    aviWriter.FrameTime = Timer1.interval();
    FrameBitmap = QImage(width, height, QImage::Format_RGB32);
    if (FrameBitmap.isNull())
        throw PictureSizeError("no room for the frame picture");
    recordDlg->ShowModeless();
    aviWriter.FileName = fileName;
    aviWriter.OpenVideo();
    RecordingOpen = true;
    FramesRecorded = 0;
    Recording = false;
}

// A zoom already running when the capture starts keeps the pane's picture
// whole in the frame.
void Tform1::cmdStartStopClick()
{
    if (!RecordingOpen)
        return;
    Recording = !Recording;
    if (Recording && Mode == modeZooming) {
        const QSize pane = ui->ptbFract->ClientRect().size();
        FrameScale = FrameScaleFor(Complex(0, 0), Complex(pane.width(), pane.height()), aviWriter.Width,
                                   aviWriter.Height);
    }
    recordDlg->ShowCapturing(Recording);
}

void Tform1::cmdOkClick()
{
    Recording = false;
}

void Tform1::StopCapturing()
{
    Recording = false;
    recordDlg->ShowCapturing(false);
}

// The work file goes in any case; a failure to write the clip is shown
// once everything is released.
void Tform1::FinishRecording()
{
    Recording = false;
    QString failure;
    if (FramesRecorded > 0) {
        try {
            aviWriter.FinishVideo();
        } catch (const AviError& e) {
            failure = QString::fromStdString(e.what());
        }
    }
    aviWriter.CloseVideo();
    RecordingOpen = false;
    recordDlg->ShowCapturing(false);
    FramesRecorded = 0;
    if (!failure.isEmpty())
        dialogs_.Failure(this, failure);
}

void Tform1::UpdateFrameScale()
{
    FrameScale = FrameScaleFor(*Viewer.WindowMin, *Viewer.WindowMax, aviWriter.Width, aviWriter.Height);
}

// A failing frame stops the capture before its one box shows: a box inside
// a tick would let the timer pile up further boxes behind it.
void Tform1::CaptureFrame()
{
    if (Mode == modeAnimating)
        UpdateFrameScale();
    DrawFrame(Viewer, LinesChecked(), FrameScale, FrameBitmap);
    try {
        aviWriter.AddFrame(FrameBitmap);
    } catch (const AviError& e) {
        StopCapturing();
        dialogs_.Failure(this, QString::fromStdString(e.what()));
        return;
    }
    ++FramesRecorded;
    recordDlg->ShowFrames(FramesRecorded);
}

// The frames captured so far are not lost with the window.
void Tform1::closeEvent(QCloseEvent* event)
{
    if (RecordingSetUp())
        recordDlg->hide();
    QMainWindow::closeEvent(event);
}
