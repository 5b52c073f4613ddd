#include "app/record_command.h"

#include "app/command_line.h"
#include "app/endless_status.h"
#include "app/messages.h"
#include "app/settings.h"
#include "model/fract_file.h"
#include "model/random_source.h"
#include "output/avi/avi_error.h"
#include "output/clip/avi_clip.h"
#include "session/fractal_session.h"
#include "session/offscreen_pane.h"

#include <QFileInfo>

#include <cstdio>
#include <limits>
#include <optional>

namespace {

int Fail(const QString& line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
    return kCommandFailed;
}

// The clip set up as the window's export sets it up; nullopt and the
// reason when it cannot be.
std::optional<QString> SetUp(FractalSession& session, const CommandLine& command, QSize size)
{
    if (!session.PrepareFrame(size))
        return Messages::kInvalidSize;
    try {
        session.SetUpRecording(std::make_unique<AviClip>(QFileInfo(command.RecordFile).absoluteFilePath(), size,
                                                         session.Timer().interval(), command.WavFile));
    } catch (const AviError& e) {
        // A sound file the writer refuses by its name is the user's to mend;
        // anything else is the window's export warning.
        return command.WavFile.isEmpty() ? Messages::kInvalidSize : QString::fromStdString(e.what());
    }
    return std::nullopt;
}

std::optional<QString> StartMotion(FractalSession& session, const CommandLine& command)
{
    if (command.DivePoint) {
        session.Dive(*command.DivePoint, *command.Magnification, *command.Frames);
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

// Ticks as the timer would, one after the other, while frames are taken.
std::optional<QString> Capture(FractalSession& session, const CommandLine& command)
{
    std::optional<QString> failure;
    const auto stop = QObject::connect(&session, &FractalSession::captureFailed,
                                       [&failure](const QString& message) { failure = message; });
    const int limit = command.Frames.value_or(std::numeric_limits<int>::max());
    while (session.Recording() && session.FramesRecorded() < limit
           && (session.Mode() == modeZooming || session.Mode() == modeAnimating))
        session.Tick();
    QObject::disconnect(stop);
    if (!failure && session.FramesRecorded() == 0)
        failure = QStringLiteral("no frame was recorded");
    return failure;
}

std::optional<QString> Record(FractalSession& session, const CommandLine& command, QSize size)
{
    try {
        session.Open(command.FractFile);
    } catch (const FractFormatError&) {
        return Messages::kBadFileFormat;
    }
    if (command.Endless && !session.EndlessShown())
        return EndlessStatusText(session);
    if (auto failure = SetUp(session, command, size))
        return failure;
    session.StartStopCapture();
    if (auto failure = StartMotion(session, command))
        return failure;
    return Capture(session, command);
}

} // namespace

int RunRecordCommand(const CommandLine& command)
{
    const auto size = ParseExportSize(command.SizeText);
    if (!size)
        return Fail(QStringLiteral("--size needs WxH, both above zero"));
    FractalSession session;
    SettingValues values = SettingsStore::ReadQuietly();
    values.EndlessZoom = command.Endless;
    session.ApplySettings(values);
    if (command.Seed)
        RandomSource::Instance().Seed(*command.Seed);
    const OffscreenPane pane(session, *size);
    if (const auto failure = Record(session, command, *size)) {
        session.AbandonRecording();
        return Fail(*failure);
    }
    const QString failure = session.FinishRecording();
    return failure.isEmpty() ? 0 : Fail(failure);
}
