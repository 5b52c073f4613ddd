#include "app/record_command.h"

#include "app/command_line.h"
#include "app/dialogs.h"
#include "app/tform1.h"
#include "app/trecord_dlg.h"
#include "model/random_source.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>

#include <cstdio>
#include <limits>

namespace {

// Layouts can take a round or two to settle on the asked pane size.
constexpr int kFitAttempts = 3;

// Answers the window's questions as the command line asked them; the first
// message ends the run and is the one line the user reads.
class RecordDialogs : public Dialogs {
public:
    explicit RecordDialogs(QString clip) : clip_(std::move(clip)) {}

    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                        QMessageBox::StandardButtons) override
    {
        Fail(text);
        return QMessageBox::Ok;
    }

    QString ChooseFile(QFileDialog&) override { return clip_; }

    int Run(QDialog& dialog) override
    {
        dialog.show();
        dialog.hide();
        return QDialog::Accepted;
    }

    void Fail(const QString& text)
    {
        if (!failed_)
            std::fprintf(stderr, "%s\n", qPrintable(text));
        failed_ = true;
    }

    bool Failed() const { return failed_; }

private:
    QString clip_;
    bool failed_ = false;
};

// Qt's notes about the platform without a display are no news to the user,
// who reads one line on failure.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

void FitPane(Tform1& window, QSize pane)
{
    for (int i = 0; i < kFitAttempts && window.FractPaneSize() != pane; ++i) {
        window.resize(window.size() + pane - window.FractPaneSize());
        QCoreApplication::processEvents();
    }
}

bool StartMotion(Tform1& window, const CommandLine& command, RecordDialogs& dialogs)
{
    if (!command.ZoomBand) {
        window.CheckAnimation(command.AnimateLengths, command.AnimateAngles);
        return true;
    }
    if (!window.ZoomAnimation) {
        dialogs.Fail(QStringLiteral("--zoom needs the animated zoom, which the options switch off"));
        return false;
    }
    const QLine band = *command.ZoomBand;
    window.ptbFractMouseDown(Qt::LeftButton, band.x1(), band.y1());
    window.ptbFractMouseUp(Qt::LeftButton, band.x2(), band.y2());
    if (window.Mode != modeZooming)
        dialogs.Fail(QStringLiteral("the --zoom band is too small to zoom into"));
    return window.Mode == modeZooming;
}

// Ticks as the timer would, one after the other, while frames are taken.
void Capture(Tform1& window, const CommandLine& command, const RecordDialogs& dialogs)
{
    const int limit = command.Frames.value_or(std::numeric_limits<int>::max());
    while (window.Recording && !dialogs.Failed() && window.FramesRecorded < limit
           && (window.Mode == modeZooming || window.Mode == modeAnimating))
        window.Timer1Timer();
}

void Record(Tform1& window, const CommandLine& command, QSize size, RecordDialogs& dialogs)
{
    window.ExportWidth = size.width();
    window.ExportHeight = size.height();
    window.Exportieren1Click();
    if (dialogs.Failed())
        return;
    if (!command.WavFile.isEmpty()) {
        try {
            window.aviWriter.SetWavFileName(command.WavFile);
        } catch (const AviError& e) {
            dialogs.Fail(QString::fromStdString(e.what()));
            return;
        }
    }
    window.RecordDialog().cmdStartStopClick();
    if (StartMotion(window, command, dialogs))
        Capture(window, command, dialogs);
    if (!dialogs.Failed() && window.FramesRecorded == 0)
        dialogs.Fail(QStringLiteral("no frame was recorded"));
}

} // namespace

int RunRecordCommand(const CommandLine& command)
{
    const auto size = ParseExportSize(command.SizeText);
    RecordDialogs dialogs(QFileInfo(command.RecordFile).absoluteFilePath());
    if (!size) {
        dialogs.Fail(QStringLiteral("--size needs WxH, both above zero"));
        return kCommandFailed;
    }
    qInstallMessageHandler(Quiet);
    Tform1 window(dialogs);
    const QSize storedSize(window.ExportWidth, window.ExportHeight);
    if (command.Seed)
        RandomSource::Instance().Seed(*command.Seed);
    window.show();
    FitPane(window, *size);
    window.OpenFile(command.FractFile);
    QCoreApplication::processEvents();
    if (!dialogs.Failed())
        Record(window, command, *size, dialogs);
    // A failed run leaves no clip: with no frames counted, "Fertig" writes none.
    if (dialogs.Failed())
        window.FramesRecorded = 0;
    window.RecordDialog().cmdOkClick();
    // The command line keeps the user's stored export size.
    window.ExportWidth = storedSize.width();
    window.ExportHeight = storedSize.height();
    return dialogs.Failed() ? kCommandFailed : 0;
}
