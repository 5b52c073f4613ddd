#include "app/record_command.h"

#include "app/command_line.h"
#include "app/endless_status.h"
#include "app/messages.h"
#include "app/progress_line.h"
#include "app/settings.h"
#include "app/termination_signals.h"
#include "model/fract_file.h"
#include "model/random_source.h"
#include "output/clip/open_clip.h"
#include "output/picture_export.h"
#include "session/fractal_session.h"
#include "session/offscreen_pane.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// The recording's progress: shown for --progress, and cancelled by a
// signal, which ends the command in order.
class RecordProgress : public WorkProgress {
public:
    RecordProgress(WorkProgress& shown, const CaughtTermination& termination)
        : shown_(shown), termination_(termination)
    {
    }
    void Report(qint64 done, qint64 total) override { shown_.Report(done, total); }
    bool Cancelled() const override { return termination_.Signal() != 0; }

private:
    WorkProgress& shown_;
    const CaughtTermination& termination_;
};

// The capture of the frames and the finishing of the clip, each half the
// work.
constexpr int kRecordParts = 2;

int Fail(const ClipFailure& failure)
{
    return CommandFailed(failure.Message, failure.File, failure.Reason);
}

// The clip set up as the window's export sets it up, in the colours of the
// settings. Throws ClipError.
void SetUp(FractalSession& session, const CommandLine& command, const QString& target, QSize size)
{
    ClipRequest clip;
    clip.FileName = target;
    clip.Frame = size;
    clip.FrameTime = session.Timer().interval();
    clip.WavFile = command.WavFile;
    clip.TakeColorsOf(session);
    session.SetUpRecording(OpenClip(clip));
}

std::optional<QString> StartMotion(FractalSession& session, const CommandLine& command)
{
    if (command.DivePoint) {
        // The full view is the first of the frames, each step one more.
        session.Dive(*command.DivePoint, *command.Magnification, *command.Frames - 1);
        return std::nullopt;
    }
    if (!command.ZoomBand) {
        session.AnimateLengths(command.AnimateLengths);
        session.AnimateAngles(command.AnimateAngles);
        return std::nullopt;
    }
    if (!session.ZoomAnimation)
        return QStringLiteral("--zoom needs the animated zoom, which the options switch off");
    const QLine band = *command.ZoomBand;
    session.PressFract(Qt::LeftButton, band.x1(), band.y1());
    session.ReleaseFract(Qt::LeftButton, band.x2(), band.y2());
    if (session.Mode() != modeZooming)
        return QStringLiteral("the --zoom band is too small to zoom into");
    return std::nullopt;
}

// Ticks as the timer would, one after the other, while frames are taken
// and no signal asks to end. A zoom without --frames ends after its steps.
std::optional<ClipFailure> Capture(FractalSession& session, const CommandLine& command, WorkProgress& progress)
{
    std::optional<ClipFailure> failure;
    const auto stop = QObject::connect(&session, &FractalSession::captureFailed,
                                       [&failure](const ClipFailure& f) { failure = f; });
    const int limit = command.Frames.value_or(std::numeric_limits<int>::max());
    const int expected = command.Frames.value_or(session.ZoomStepsLeft() + 1);
    while (!progress.Cancelled() && session.Recording() && session.FramesRecorded() < limit
           && (session.Mode() == modeZooming || session.Mode() == modeAnimating)) {
        session.Tick();
        progress.Report(std::min(session.FramesRecorded(), expected), expected);
    }
    QObject::disconnect(stop);
    if (!failure && session.FramesRecorded() == 0)
        failure = ClipFailure{QStringLiteral("no frame was recorded"), {}, {}};
    return failure;
}

// Everything that can be checked is checked before the first frame; the
// clip is set up as the window's export sets it up.
int Record(FractalSession& session, const CommandLine& command, QSize size, const CaughtTermination& termination)
{
    const QString target = QFileInfo(command.RecordFile).absoluteFilePath();
    if (!IsClipFormat(PictureFormatOf(target)))
        return CommandFailed(Messages::kUnsupportedFormat, command.RecordFile);
    try {
        session.Open(command.FractFile);
    } catch (const FractFormatError& e) {
        return CommandFailed(Messages::kBadFileFormat, command.FractFile, QString::fromStdString(e.what()));
    }
    if (command.Endless && !session.EndlessShown())
        return CommandFailed(EndlessStatusText(session), command.FractFile);
    if (!session.PrepareFrame(size))
        return CommandFailed(Messages::kInvalidSize, command.SizeText, QStringLiteral("no room for the frame pictures"));
    try {
        SetUp(session, command, target, size);
    } catch (const ClipWriteError& e) {
        return CommandFailed(Messages::kCannotWrite, e.Failure().File, e.Failure().Reason);
    } catch (const ClipError& e) {
        return Fail(e.Failure());
    }
    session.StartStopCapture();
    if (const auto failure = StartMotion(session, command))
        return CommandFailed(*failure);
    ProgressLine shown(command.Progress ? stderr : nullptr, ProgressLine::StandardErrorIsTerminal(),
                       QStringLiteral("Recording ") + command.RecordFile);
    RecordProgress progress(shown, termination);
    WorkPart capturing(progress, 0, kRecordParts);
    std::optional<ClipFailure> failure = Capture(session, command, capturing);
    if (!failure && !termination.Signal()) {
        WorkPart finishing(progress, 1, kRecordParts);
        failure = session.FinishRecording(finishing);
    }
    shown.End();
    if (termination.Signal())
        return kSignalExitBase + termination.Signal();
    return failure ? Fail(*failure) : 0;
}

} // namespace

int RunRecordCommand(const CommandLine& command)
{
    const CaughtTermination termination;
    const auto size = ParseExportSize(command.SizeText);
    if (!size)
        return CommandFailed(Messages::kInvalidSize, command.SizeText, QStringLiteral("not two whole numbers above zero"));
    FractalSession session;
    SettingValues values = SettingsStore::ReadQuietly();
    values.EndlessZoom = command.Endless;
    session.ApplySettings(values);
    if (command.Seed)
        RandomSource::Instance().Seed(*command.Seed);
    const UnseenPane pane(session, *size);
    const int status = Record(session, command, *size, termination);
    // Whatever ended the recording, its work file goes.
    session.AbandonRecording();
    return status;
}
