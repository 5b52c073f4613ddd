#include "app/command_line.h"

#include "app/gallery.h"
#include "app/messages.h"

#include "model/number_text.h"
#include "output/picture_export.h"
#include "view/endless_view.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <vector>

namespace {

constexpr int kUsageError = 2;

int UsageError(const char* text)
{
    std::fprintf(stderr, "%s\n", text);
    return kUsageError;
}

struct RecordOptions {
    QCommandLineOption Record{QStringLiteral("record"),
                              QStringLiteral("Record a clip of FILE to OUT (.avi, .mp4, .webm, .gif) and exit; needs --size and "
                                             "either --animate and --frames or --zoom."),
                              QStringLiteral("OUT")};
    QCommandLineOption Animate{QStringLiteral("animate"),
                               QStringLiteral("For --record: move the generator's lengths, angles or both."),
                               QStringLiteral("lengths|angles|both")};
    QCommandLineOption Zoom{QStringLiteral("zoom"),
                            QStringLiteral("For --record: zoom into the band between two corners, in pane pixels."),
                            QStringLiteral("X0,Y0,X1,Y1")};
    QCommandLineOption Frames{QStringLiteral("frames"),
                              QStringLiteral("For --record: the number of frames (a zoom may end sooner)."),
                              QStringLiteral("N")};
    QCommandLineOption Wav{QStringLiteral("wav"), QStringLiteral("For --record: the clip's sound."),
                           QStringLiteral("SOUND.wav")};
};

struct EndlessOptions {
    QCommandLineOption Endless{QStringLiteral("endless"),
                               QStringLiteral("With --export or --record: draw the limit curve, refined to the pixel "
                                              "at any magnification.")};
    QCommandLineOption View{QStringLiteral("view"),
                            QStringLiteral("For --export --endless: the window in the generator's coordinates, "
                                           "decimal numbers of any length."),
                            QStringLiteral("X0,Y0,X1,Y1")};
    QCommandLineOption Dive{QStringLiteral("dive"),
                            QStringLiteral("For --record --endless: zoom from the full view about the curve point "
                                           "nearest this point (decimal numbers of any length), which keeps its "
                                           "pixel; needs --magnify and --frames."),
                            QStringLiteral("X,Y")};
    QCommandLineOption Magnify{QStringLiteral("magnify"),
                               QStringLiteral("For --dive: the magnification the zoom ends at, such as 1e300."),
                               QStringLiteral("M")};
};

// Decimal numbers separated by commas, each read exactly.
std::optional<std::vector<BigFloat>> ParseDecimals(const QString& text, int count)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return std::nullopt;
    std::vector<BigFloat> numbers;
    for (const QString& part : parts) {
        auto number = ParseDecimal(part.toStdString());
        if (!number)
            return std::nullopt;
        numbers.push_back(std::move(*number));
    }
    return numbers;
}

std::optional<int> ReadView(const QString& text, CommandLine& result)
{
    const auto corners = ParseDecimals(text, 4);
    if (!corners)
        return UsageError("--view needs four decimal numbers X0,Y0,X1,Y1");
    const auto& c = *corners;
    if (c[0] == c[2] && c[1] == c[3])
        return UsageError("--view needs a window of some width or height");
    result.View.emplace(BigComplex(c[0], c[1]), BigComplex(c[2], c[3]));
    return std::nullopt;
}

std::optional<int> ReadDive(const QCommandLineParser& parser, const EndlessOptions& o, CommandLine& result)
{
    if (!parser.isSet(o.Magnify) || !parser.isSet(QStringLiteral("frames")))
        return UsageError("--dive needs --magnify M and --frames N");
    const auto point = ParseDecimals(parser.value(o.Dive), 2);
    if (!point)
        return UsageError("--dive needs two decimal numbers X,Y");
    const auto magnification = ParseDecimal(parser.value(o.Magnify).toStdString());
    if (!magnification || magnification->Sign() <= 0)
        return UsageError("--magnify needs a decimal number above zero");
    // In the digits typed, so that the deepest as typed is not beyond it.
    if (Rounded(DeepestMagnification(), magnification->Precision()) < *magnification)
        return CommandFailed(QStringLiteral("--magnify goes deeper than the endless view draws"), {},
                             QStringLiteral("at most 1e%1").arg(kDeepestPowerOfTen));
    result.DivePoint.emplace((*point)[0], (*point)[1]);
    result.Magnification = *magnification;
    return std::nullopt;
}

// The endless options belong to the commands that draw: the window to an
// export, the dive to a recording.
std::optional<int> ReadEndlessOptions(const QCommandLineParser& parser, const EndlessOptions& o, CommandLine& result)
{
    const bool exports = parser.isSet(QStringLiteral("export"));
    const bool records = parser.isSet(QStringLiteral("record"));
    result.Endless = parser.isSet(o.Endless);
    if (result.Endless && !exports && !records)
        return UsageError("--endless belongs to --export or --record");
    if (parser.isSet(o.View) && !(result.Endless && exports))
        return UsageError("--view belongs to --export --endless");
    if ((parser.isSet(o.Dive) || parser.isSet(o.Magnify)) && !(result.Endless && records))
        return UsageError("--dive and --magnify belong to --record --endless");
    if (parser.isSet(o.Magnify) && !parser.isSet(o.Dive))
        return UsageError("--magnify belongs to --dive");
    if (parser.isSet(o.View))
        return ReadView(parser.value(o.View), result);
    if (parser.isSet(o.Dive))
        return ReadDive(parser, o, result);
    return std::nullopt;
}

std::optional<QLine> ParseBand(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int corner[4];
    for (int i = 0; i < 4; ++i) {
        const auto value = ParseDecimalInteger(parts[i].toStdString());
        if (!value)
            return std::nullopt;
        corner[i] = *value;
    }
    return QLine(corner[0], corner[1], corner[2], corner[3]);
}

std::optional<int> ReadAnimation(const QString& text, CommandLine& result)
{
    result.AnimateLengths = text == QLatin1String("lengths") || text == QLatin1String("both");
    result.AnimateAngles = text == QLatin1String("angles") || text == QLatin1String("both");
    if (!result.AnimateLengths && !result.AnimateAngles)
        return UsageError("--animate takes lengths, angles or both");
    return std::nullopt;
}

// The recording options belong to --record alone, which needs one motion.
std::optional<int> ReadRecordOptions(const QCommandLineParser& parser, const RecordOptions& o, CommandLine& result)
{
    const bool record = parser.isSet(o.Record);
    for (const QCommandLineOption* option : {&o.Animate, &o.Zoom, &o.Frames, &o.Wav})
        if (parser.isSet(*option) && !record)
            return UsageError("--animate, --zoom, --frames and --wav belong to --record");
    if (!record)
        return std::nullopt;
    if (parser.isSet(QStringLiteral("export")))
        return UsageError("--record and --export cannot be used together");
    if (!parser.isSet(QStringLiteral("size")))
        return UsageError("--record needs --size WxH");
    if (parser.isSet(QStringLiteral("dive"))) {
        if (parser.isSet(o.Animate) || parser.isSet(o.Zoom))
            return UsageError("--dive cannot be used with --animate or --zoom");
    } else if (parser.isSet(o.Animate) == parser.isSet(o.Zoom)) {
        return UsageError("--record needs either --animate or --zoom");
    } else if (parser.isSet(o.Animate)) {
        if (const auto status = ReadAnimation(parser.value(o.Animate), result))
            return status;
        if (!parser.isSet(o.Frames))
            return UsageError("--animate needs --frames N");
    } else {
        result.ZoomBand = ParseBand(parser.value(o.Zoom));
        if (!result.ZoomBand)
            return UsageError("--zoom needs four whole numbers X0,Y0,X1,Y1");
    }
    if (parser.isSet(o.Frames)) {
        const auto frames = ParseDecimalInteger(parser.value(o.Frames).toStdString());
        if (!frames || *frames < 1)
            return UsageError("--frames needs a whole number of at least 1");
        result.Frames = *frames;
    }
    result.RecordFile = parser.value(o.Record);
    result.WavFile = parser.value(o.Wav);
    return std::nullopt;
}

// Where the curves of the menu "Datei – Beispiele" are, so that they can be
// opened, exported and recorded from here too.
QString HelpDescription()
{
    QString text = QStringLiteral("Draws self-similar line fractals of the edge-replacement kind.");
    const QString gallery = GalleryFolder();
    if (!gallery.isEmpty())
        text += QStringLiteral("\nThe named classic curves of Datei - Beispiele are in %1.").arg(gallery);
    return text;
}

} // namespace

int CommandFailed(const QString& message, const QString& subject, const QString& reason)
{
    std::fprintf(stderr, "%s\n", qPrintable(Messages::Line(message, subject, reason)));
    return kCommandFailed;
}

std::optional<QSize> ParseExportSize(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return std::nullopt;
    const auto width = ParseDecimalInteger(parts[0].toStdString());
    const auto height = ParseDecimalInteger(parts[1].toStdString());
    if (!width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return QSize(*width, *height);
}

std::optional<int> ParseCommandLine(const QStringList& arguments, CommandLine& result)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(HelpDescription());
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .fract file to open."),
                                 QStringLiteral("[FILE.fract]"));
    const QCommandLineOption exportOption(QStringLiteral("export"),
                                          QStringLiteral("Write the picture of FILE to OUT (.bmp, .jpg, .emf, .wmf, .png, .svg, .pdf) and exit."),
                                          QStringLiteral("OUT"));
    const QCommandLineOption sizeOption(QStringLiteral("size"),
                                        QStringLiteral("Picture size for --export, in pixels (default: the last export size)."),
                                        QStringLiteral("WxH"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Start the random source at N instead of the clock."),
                                        QStringLiteral("N"));
    const QCommandLineOption progressOption(
        QStringLiteral("progress"),
        QStringLiteral("With --export or --record: show how far the work is on stderr, in one line on a terminal, "
                       "else a line for every tenth."));
    parser.addOptions({exportOption, sizeOption, seedOption, progressOption});
    const RecordOptions recordOptions;
    parser.addOptions({recordOptions.Record, recordOptions.Animate, recordOptions.Zoom, recordOptions.Frames,
                       recordOptions.Wav});
    const EndlessOptions endlessOptions;
    parser.addOptions({endlessOptions.Endless, endlessOptions.View, endlessOptions.Dive, endlessOptions.Magnify});
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return kUsageError;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    const bool writes = parser.isSet(exportOption) || parser.isSet(recordOptions.Record);
    if (files.size() > 1 || (writes && files.isEmpty()) || (parser.isSet(sizeOption) && !writes)) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return kUsageError;
    }
    if (parser.isSet(progressOption) && !writes)
        return UsageError("--progress belongs to --export or --record");
    result.Progress = parser.isSet(progressOption);
    if (parser.isSet(seedOption)) {
        bool ok = false;
        result.Seed = parser.value(seedOption).toULongLong(&ok);
        if (!ok) {
            std::fprintf(stderr, "--seed needs a whole number\n");
            return kUsageError;
        }
    }
    if (IsClipFormat(PictureFormatOf(parser.value(exportOption))))
        return UsageError("--export writes pictures; record a clip with --record");
    if (const auto status = ReadRecordOptions(parser, recordOptions, result))
        return status;
    if (const auto status = ReadEndlessOptions(parser, endlessOptions, result))
        return status;
    result.FractFile = files.value(0);
    result.ExportFile = parser.value(exportOption);
    result.SizeText = parser.value(sizeOption);
    return std::nullopt;
}
