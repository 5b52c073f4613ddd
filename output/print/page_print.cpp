#include "output/print/page_print.h"

#include "model/atomic_file.h"
#include "output/print/paper_style.h"
#include "output/work/work_file.h"
#include "output/work/work_folder.h"
#include "session/view_snapshot.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

#include <memory>

namespace {

// The picture made, the page drawn, the job ended.
constexpr int kPrintSteps = 3;
// A printed file is copied into place a piece at a time.
constexpr qint64 kCopyPiece = 1 << 20;

void CopyInto(const QString& from, QIODevice& to, const WorkProgress& progress)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw FileWriteError(in.errorString().toStdString());
    QByteArray piece;
    while (!(piece = in.read(kCopyPiece)).isEmpty()) {
        ThrowIfCancelled(progress);
        WriteAll(to, piece.constData(), piece.size());
    }
    if (in.error() != QFileDevice::NoError)
        throw FileWriteError(in.errorString().toStdString());
}

// Draws the picture on the printer's page and ends the job.
void PrintOn(QPrinter& printer, const ViewPicture& picture, WorkProgress& progress)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintNotStarted("the printer did not start the job");
    picture.Draw(painter);
    progress.Report(2, kPrintSteps);
    painter.end();
}

// The printer prints into a work file of its own, which is copied into the
// file's replacement once the job has ended.
void PrintToFile(QPrinter& printer, const ViewPicture& picture, WorkProgress& progress)
{
    const QString target = printer.outputFileName();
    std::unique_ptr<PendingFile> file;
    try {
        file = OpenPendingFile(target);
    } catch (const FileWriteError& e) {
        throw PrintNotStarted(e.what());
    }
    WorkFile work(WorkFolderPaths());
    if (!work.Open()) {
        file->Discard();
        throw FileWriteError(work.Reason().toStdString());
    }
    printer.setOutputFileName(work.Path());
    try {
        PrintOn(printer, picture, progress);
    } catch (...) {
        printer.setOutputFileName(target);
        file->Discard();
        throw;
    }
    printer.setOutputFileName(target);
    WritePendingFile(*file, [&](QIODevice& out) {
        ThrowIfCancelled(progress);
        CopyInto(work.Path(), out, progress);
    });
}

} // namespace

QString PrintJobTitle(const QString& fileTitle)
{
    return QStringLiteral("Ornalix - ") + fileTitle;
}

void PrintPage(QPrinter& printer, const QString& title, ViewSnapshot& view, bool background, WorkProgress& progress)
{
    printer.setDocName(title);
    printer.setFullPage(false);
    printer.setResolution(kPrintResolution);
    const PixelRect page{0, 0, printer.width(), printer.height()};
    const std::unique_ptr<ViewPicture> picture =
        view.Picture(ViewPlacement::FittedTo(page), PaperStyle(view.Style(), background));
    ThrowIfCancelled(progress);
    progress.Report(1, kPrintSteps);
    if (printer.outputFileName().isEmpty())
        PrintOn(printer, *picture, progress);
    else
        PrintToFile(printer, *picture, progress);
    progress.Report(kPrintSteps, kPrintSteps);
}
