#include "app/export_command.h"

#include "app/command_line.h"
#include "app/messages.h"
#include "app/settings.h"
#include "model/fract_file.h"
#include "output/picture_export.h"
#include "view/fract_viewer.h"

#include <cstdio>
#include <string>

namespace {

// One line: the program's own message, what it concerns and why.
int Fail(const QString& message, const QString& subject, const std::string& reason = {})
{
    QString line = message + QStringLiteral(": ") + subject;
    if (!reason.empty())
        line += QStringLiteral(": ") + QString::fromStdString(reason);
    std::fprintf(stderr, "%s\n", qPrintable(line));
    return kCommandFailed;
}

QString SizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// A damaged store gives what was read before the bad value and defaults
// after it, as in the window; an export that succeeds prints nothing.
SettingValues StoredSettings()
{
    SettingValues values;
    try {
        SettingsStore::Read(values);
    } catch (const SettingsError&) {
    }
    SettingsStore::Sanitize(values);
    return values;
}

} // namespace

int RunExportCommand(const CommandLine& command)
{
    const SettingValues settings = StoredSettings();
    QSize size(settings.ExportWidth, settings.ExportHeight);
    if (!command.SizeText.isEmpty()) {
        const auto parsed = ParseExportSize(command.SizeText);
        if (!parsed)
            return Fail(Messages::kInvalidSize, command.SizeText, "not two whole numbers above zero");
        size = *parsed;
    }
    const PictureFormat format = PictureFormatOf(command.ExportFile);
    if (!IsPictureFormat(format))
        return Fail(Messages::kUnsupportedFormat, command.ExportFile);

    FractModel generator(kGeneratorCapacity);
    FractDocument document;
    try {
        document = LoadFractDocument(command.FractFile, generator);
    } catch (const FractFormatError& e) {
        return Fail(Messages::kBadFileFormat, command.FractFile, e.what());
    }
    const ReferenceScreen screen = PrimaryReferenceScreen();
    // Before the fit, so that no arithmetic meets a size its format refuses.
    try {
        CheckPictureSize(format, size.width(), size.height(), screen);
    } catch (const PictureSizeError& e) {
        return Fail(Messages::kInvalidSize, SizeText(size), e.what());
    }

    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = document.Depth;
    viewer.PenWidth = settings.PenWidth;
    viewer.BgColor = settings.BgColor;
    viewer.FgColor = settings.FgColor;
    viewer.Recalculate();
    const PixelRect rect{0, 0, size.width(), size.height()};
    // The pane's own paint fits the curve once, the export fits it again.
    for (int fit = 0; fit < 2; ++fit) {
        viewer.SetRect(rect);
        viewer.Transform();
    }
    try {
        WritePicture(viewer, document.Lines, size.width(), size.height(), command.ExportFile, screen);
    } catch (const PictureSizeError& e) {
        return Fail(Messages::kInvalidSize, SizeText(size), e.what());
    } catch (const ExportError& e) {
        // The window's warning, then what the system said of the file.
        return Fail(Messages::kInvalidSize, command.ExportFile, e.what());
    }
    return 0;
}
