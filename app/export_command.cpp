#include "export_command.h"

#include "command_line.h"
#include "fract_file.h"
#include "fract_viewer.h"
#include "messages.h"
#include "picture_export.h"
#include "settings.h"

#include <cstdio>

namespace {

constexpr int kFailure = 2;
constexpr int kGeneratorCapacity = 10;
constexpr int kViewerCapacity = 16384;

int Fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return kFailure;
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
            return Fail(Messages::kInvalidSize);
        size = *parsed;
    }
    const PictureFormat format = PictureFormatOf(command.ExportFile);
    if (format == PictureFormat::Unsupported || format == PictureFormat::Avi)
        return Fail(Messages::kUnsupportedFormat);

    FractModel generator(kGeneratorCapacity);
    FractDocument document;
    try {
        document = LoadFractDocument(command.FractFile, generator);
    } catch (const FractFormatError&) {
        return Fail(Messages::kBadFileFormat);
    }
    const ReferenceScreen screen = PrimaryReferenceScreen();
    // Before the fit, so that no arithmetic meets a size its format refuses.
    try {
        CheckPictureSize(format, size.width(), size.height(), screen);
    } catch (const PictureSizeError&) {
        return Fail(Messages::kInvalidSize);
    }

    FractViewer viewer(generator, kViewerCapacity);
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
    } catch (const PictureSizeError&) {
        return Fail(Messages::kInvalidSize);
    } catch (const ExportError& e) {
        // The window's warning, then what the system said of the file.
        return Fail(Messages::kInvalidSize + QStringLiteral(": ") + command.ExportFile + QStringLiteral(": ")
                    + QString::fromStdString(e.what()));
    }
    return 0;
}
