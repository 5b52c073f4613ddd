#include "command_line.h"
#include "export_command.h"
#include "random_source.h"
#include "tform1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include <cstring>

namespace {

constexpr int kDialogFontPoints = 8;

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Ornalix"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
}

// Exports, help and version need no window, and so no display.
bool NeedsNoWindow(int argc, char** argv)
{
    if (WantsExport(argc, argv))
        return true;
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"--help", "-h", "--help-all", "--version", "-v", "-?"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

int RunWithoutWindow(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    NameApplication();
    CommandLine command;
    if (const auto status = ParseCommandLine(QCoreApplication::arguments(), command))
        return *status;
    if (command.Seed)
        RandomSource::Instance().Seed(*command.Seed);
    return RunExportCommand(command);
}

} // namespace

int main(int argc, char** argv)
{
    if (NeedsNoWindow(argc, argv))
        return RunWithoutWindow(argc, argv);

    QApplication app(argc, argv);
    NameApplication();
    // The layouts are laid out for a small dialog font of about 11 pixels.
    QFont font = QApplication::font();
    font.setPointSize(kDialogFontPoints);
    QApplication::setFont(font);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ornalix.png")));
    CommandLine command;
    if (const auto status = ParseCommandLine(QCoreApplication::arguments(), command))
        return *status;

    Tform1 window;
    if (command.Seed)
        RandomSource::Instance().Seed(*command.Seed);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    if (!command.FractFile.isEmpty())
        window.OpenFile(command.FractFile);
    return app.exec();
}
