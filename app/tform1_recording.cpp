#include "app/tform1.h"

#include "app/dialogs.h"
#include "app/trecord_dlg.h"
#include "output/clip/avi_clip.h"
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
// as it is now. A clip that cannot be opened leaves the dialog up with
// "Start" refused.
void Tform1::StartRecording(int width, int height, const QString& fileName)
{
    if (width <= 0 || height <= 0)
        throw PictureSizeError("a frame needs a size above zero");
    if (!session_.PrepareFrame(QSize(width, height)))
        throw PictureSizeError("no room for the frame picture");
    recordDlg->ShowModeless();
    session_.SetUpRecording(
        std::make_unique<AviClip>(fileName, QSize(width, height), session_.Timer().interval()));
}

void Tform1::cmdStartStopClick()
{
    session_.StartStopCapture();
}

void Tform1::cmdOkClick()
{
    session_.StopCapture();
}

// A failure to write the clip is shown once everything is released.
void Tform1::FinishRecording()
{
    if (const auto failure = session_.FinishRecording())
        dialogs_.Failure(this, failure->Message);
}

// The frames captured so far are not lost with the window.
void Tform1::closeEvent(QCloseEvent* event)
{
    if (RecordingSetUp())
        recordDlg->hide();
    QMainWindow::closeEvent(event);
}
