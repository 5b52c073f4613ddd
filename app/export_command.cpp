#include "export_command.h"

#include "command_line.h"
#include "fract_file.h"
#include "fract_viewer.h"
#include "messages.h"
#include "number_text.h"
#include "picture_export.h"
#include "settings.h"

#include <cstdio>

namespace {

constexpr int kFailure = 2;

int Fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return kFailure;
}

SettingValues StoredSettings()
{
    SettingValues values;
    try {
        SettingsStore::Read(values);
    } catch (const SettingsError& e) {
        std::fprintf(stderr, "%s\n", e.what());
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
    if (!IsPictureFormat(format))
        return Fail(Messages::kUnsupportedFormat);

    FractModel generator(kGeneratorCapacity);
    FractDocument document;
    try {
        document = LoadFractDocument(command.FractFile, generator, SystemDecimalSeparator());
    } catch (const FractFormatError&) {
        return Fail(Messages::kBadFileFormat);
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
        WritePicture(viewer, document.Lines, size.width(), size.height(), command.ExportFile, PrimaryReferenceScreen());
    } catch (const PictureSizeError&) {
        return Fail(Messages::kInvalidSize);
    } catch (const ExportError& e) {
        return Fail(command.ExportFile + QStringLiteral(": ") + QString::fromStdString(e.what()));
    }
    return 0;
}
