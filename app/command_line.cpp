#include "command_line.h"

#include "number_text.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int kUsageError = 2;

} // namespace

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
    parser.setApplicationDescription(QStringLiteral("Draws self-similar line fractals of the edge-replacement kind."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .fract file to open."),
                                 QStringLiteral("[FILE.fract]"));
    const QCommandLineOption exportOption(QStringLiteral("export"),
                                          QStringLiteral("Write the picture of FILE to OUT (.bmp, .jpg, .emf, .wmf) and exit."),
                                          QStringLiteral("OUT"));
    const QCommandLineOption sizeOption(QStringLiteral("size"),
                                        QStringLiteral("Picture size for --export, in pixels (default: the last export size)."),
                                        QStringLiteral("WxH"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Start the random source at N instead of the clock."),
                                        QStringLiteral("N"));
    parser.addOptions({exportOption, sizeOption, seedOption});
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
    if (files.size() > 1 || (parser.isSet(exportOption) && files.isEmpty())
        || (parser.isSet(sizeOption) && !parser.isSet(exportOption))) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return kUsageError;
    }
    if (parser.isSet(seedOption)) {
        bool ok = false;
        result.Seed = parser.value(seedOption).toULongLong(&ok);
        if (!ok) {
            std::fprintf(stderr, "--seed needs a whole number\n");
            return kUsageError;
        }
    }
    result.FractFile = files.value(0);
    result.ExportFile = parser.value(exportOption);
    result.SizeText = parser.value(sizeOption);
    return std::nullopt;
}
