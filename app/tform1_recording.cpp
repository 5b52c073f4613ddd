#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/progress_dialog_work.h"
#include "app/trecord_dlg.h"
#include "output/clip/open_clip.h"
#include "output/picture_export.h"
#include "session/fractal_session.h"

#include <QCloseEvent>

void Tform1::SetUpRecording()
{
    recordDlg = new TrecordDlg(this);
    recordDlg->OnStartStop = [this] { cmdStartStopClick(); };
    recordDlg->OnOk = [this] { cmdOkClick(); };
    recordDlg->OnFinish = [this] { FinishRecording(); };
    connect(&session_, &FractalSession::captureChanged, recordDlg, &TrecordDlg::ShowCapturing);
    connect(&session_, &FractalSession::framesChanged, recordDlg, &TrecordDlg::ShowFrames);
    connect(&session_, &FractalSession::captureFailed, this,
            [this](const ClipFailure& failure) { dialogs_.Failure(this, failure.Message); });
}

bool Tform1::RecordingSetUp() const
{
    return recordDlg->isVisible();
}

// Capturing starts only with "Start"; each frame lasts one timer interval
// as it is now. The dialog opens only for a clip that could be opened.
void Tform1::StartRecording(int width, int height, const QString& fileName)
{
    if (width <= 0 || height <= 0)
        throw PictureSizeError("a frame needs a size above zero");
    if (!session_.PrepareFrame(QSize(width, height)))
        throw PictureSizeError("no room for the frame picture");
    ClipRequest clip;
    clip.FileName = fileName;
    clip.Frame = QSize(width, height);
    clip.FrameTime = session_.Timer().interval();
    clip.TakeColorsOf(session_);
    std::unique_ptr<ClipSink> sink = OpenClip(clip);
    recordDlg->ShowModeless();
    session_.SetUpRecording(std::move(sink));
}

void Tform1::cmdStartStopClick()
{
    session_.StartStopCapture();
}

void Tform1::cmdOkClick()
{
    session_.StopCapture();
}

// The clip is written while the window goes on, with its progress once
// that takes longer than a moment; cancelled, it leaves no clip. A failure
// to write the clip is shown once everything is released.
void Tform1::FinishRecording()
{
    std::unique_ptr<ClipSink> clip = session_.EndRecording();
    if (!clip)
        return;
    std::optional<ClipFailure> failure;
    RunWithProgress(this, Messages::kClipTitle, Messages::kFinishingClip,
                    [&](WorkProgress& progress) { failure = FinishClip(*clip, progress); });
    clip.reset();
    if (failure)
        dialogs_.Failure(this, failure->Message);
}

// The frames captured so far are not lost with the window.
void Tform1::closeEvent(QCloseEvent* event)
{
    if (RecordingSetUp())
        recordDlg->hide();
    QMainWindow::closeEvent(event);
}
