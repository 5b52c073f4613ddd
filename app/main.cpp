#include "app/command_line.h"
#include "app/dialogs.h"
#include "app/export_command.h"
#include "app/record_command.h"
#include "app/termination_signals.h"
#include "app/tform1.h"
#include "model/random_source.h"
#include "output/work/work_folder.h"
#include "output/work/work_sweep.h"
#include "session/fractal_session.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

namespace {

constexpr int kDialogFontPoints = 8;

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Ornalix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORNALIX_VERSION));
}

// The arguments are read before any window system is touched, so that help,
// version, usage errors and exports work without a display. Every start
// first removes the work files of recordings whose process is gone, in
// every folder a recording may have used.
std::optional<int> ReadArguments(int argc, char** argv, CommandLine& command)
{
    QCoreApplication reader(argc, argv);
    for (const QString& folder : WorkFolderPaths())
        RemoveDeadWorkFiles(folder);
    return ParseCommandLine(QCoreApplication::arguments(), command);
}

// The commands speak only through their own message on failure: Qt's notes
// (no XDG_RUNTIME_DIR in a cron job or container, missing fonts) would fill
// a quiet command's output.
QtMessageHandler qtHandler = nullptr;

void KeepQtQuiet(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && qtHandler)
        qtHandler(type, context, message);
}

// Exports and recordings draw into pictures of their own: no display.
int RunCommand(int argc, char** argv, int (*run)(const CommandLine&), const CommandLine& command)
{
    qtHandler = qInstallMessageHandler(KeepQtQuiet);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return run(command);
}

int RunWindow(int argc, char** argv, const CommandLine& command)
{
    QApplication app(argc, argv);
    // The layouts are laid out for a small dialog font of about 11 pixels.
    QFont font = QApplication::font();
    font.setPointSize(kDialogFontPoints);
    QApplication::setFont(font);
    // Qt's own dialogs and buttons speak German, as the program does.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    Dialogs dialogs;
    FractalSession session;
    Tform1 window(session, dialogs);
    // A logout or kill closes the window as its close box does, so the
    // settings are written.
    const TerminationSignals termination([&window] { window.close(); });
    // The window seeds the random source from the clock as it starts.
    if (command.Seed)
        RandomSource::Instance().Seed(*command.Seed);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    if (!command.FractFile.isEmpty())
        window.OpenFile(command.FractFile);
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    NameApplication();
    CommandLine command;
    if (const auto status = ReadArguments(argc, argv, command))
        return *status;
    if (!command.ExportFile.isEmpty())
        return RunCommand(argc, argv, RunExportCommand, command);
    if (!command.RecordFile.isEmpty())
        return RunCommand(argc, argv, RunRecordCommand, command);
    return RunWindow(argc, argv, command);
}
