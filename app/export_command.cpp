#include "app/export_command.h"

#include "app/command_line.h"
#include "app/endless_status.h"
#include "app/messages.h"
#include "app/progress_line.h"
#include "app/settings.h"
#include "model/fract_file.h"
#include "output/picture_export.h"
#include "session/fractal_session.h"
#include "view/endless_view.h"

#include <string>

namespace {

// One line: the program's own message, what it concerns and why.
int Fail(const QString& message, const QString& subject, const std::string& reason = {})
{
    return CommandFailed(message, subject, QString::fromStdString(reason));
}

QString SizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

} // namespace

int RunExportCommand(const CommandLine& command)
{
    FractalSession session;
    SettingValues values = SettingsStore::ReadQuietly();
    values.EndlessZoom = command.Endless;
    session.ApplySettings(values);
    QSize size(session.ExportWidth, session.ExportHeight);
    if (!command.SizeText.isEmpty()) {
        const auto parsed = ParseExportSize(command.SizeText);
        if (!parsed)
            return Fail(Messages::kInvalidSize, command.SizeText, "not two whole numbers above zero");
        size = *parsed;
    }
    const PictureFormat format = PictureFormatOf(command.ExportFile);
    if (!IsPictureFormat(format))
        return Fail(Messages::kUnsupportedFormat, command.ExportFile);
    try {
        session.Open(command.FractFile);
    } catch (const FractFormatError& e) {
        return Fail(Messages::kBadFileFormat, command.FractFile, e.what());
    }
    if (command.Endless && !session.EndlessShown())
        return Fail(EndlessStatusText(session), command.FractFile);
    if (command.View)
        session.SetEndlessWindow(command.View->first, command.View->second);
    const ReferenceScreen screen = PrimaryReferenceScreen();
    // Before the fit, so that no arithmetic meets a size its format refuses.
    try {
        CheckPictureSize(format, size.width(), size.height(), screen);
    } catch (const PictureSizeError& e) {
        return Fail(Messages::kInvalidSize, SizeText(size), e.what());
    }
    // As the window would export right after opening the file in a pane of
    // the picture's size: the pane's paint fits the view, the export fits it
    // once more.
    session.SetFractPane(size);
    session.FitToPane();
    if (command.Endless && DeepestMagnification() < session.EndlessMagnification())
        return Fail(QStringLiteral("--view is narrower than the endless view draws"), {},
                    "at most 1e" + std::to_string(kDeepestPowerOfTen) + " times the full view");
    try {
        // Ended before a failure's line, as the try block is left.
        ProgressLine progress(command.Progress ? stderr : nullptr, ProgressLine::StandardErrorIsTerminal(),
                              QStringLiteral("Writing ") + command.ExportFile);
        WritePicture(*session.Picture(ViewPlacement::FittedTo({0, 0, size.width(), size.height()})), size.width(),
                     size.height(), command.ExportFile, screen, progress);
    } catch (const PictureSizeError& e) {
        return Fail(Messages::kInvalidSize, SizeText(size), e.what());
    } catch (const PictureFileError& e) {
        return Fail(Messages::kCannotWrite, command.ExportFile, e.what());
    } catch (const ExportError& e) {
        // The window's warning, then what the system said of the file.
        return Fail(Messages::kInvalidSize, command.ExportFile, e.what());
    }
    return 0;
}
