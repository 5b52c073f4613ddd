#include "output/clip/open_clip.h"
#include "output/picture_export.h"
#include "output/print/page_print.h"
#include "output/work/work_folder.h"
#include "session/fractal_session.h"
#include "session/view_snapshot.h"
#include "tests/support/cancelling_progress.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <set>

// Long work can be cancelled at any of its steps: an export, a page printed
// to a file and a clip's finishing then leave the old file as it was and
// write nothing else, neither beside it nor in the work folder.

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 285.75)};
const QByteArray kOld("the old file");
constexpr int kWidth = 96;
constexpr int kHeight = 64;

using Work = std::function<void(const QString& path, WorkProgress& progress)>;

struct Row {
    const char* File;
    Work Run;
};

// The start curve as a window's pane shows it after opening.
std::unique_ptr<ViewSnapshot> Snapshot()
{
    FractalSession session;
    session.SetDepth(4);
    session.SetFractPane(QSize(kWidth, kHeight));
    session.FitToPane();
    return ViewSnapshot::Of(session);
}

void Export(const QString& path, WorkProgress& progress)
{
    const auto view = Snapshot();
    WritePicture(*view->Picture(ViewPlacement::FittedTo({0, 0, kWidth, kHeight}), view->Style()), kWidth, kHeight,
                 path, kScreen, progress);
}

void PrintToFile(const QString& path, WorkProgress& progress)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    PrintPage(printer, QStringLiteral("Ornalix - cancel"), *Snapshot(), true, progress);
}

void Clip(const QString& path, WorkProgress& progress)
{
    ClipRequest request;
    request.FileName = path;
    request.Frame = QSize(kWidth, kHeight);
    request.FrameTime = 50;
    const auto clip = OpenClip(request);
    for (int n = 0; n < 5; ++n) {
        QImage frame(kWidth, kHeight, QImage::Format_RGB32);
        frame.fill(qRgb(40 * n, 255 - 40 * n, 0));
        clip->AddFrame(frame);
    }
    clip->Finish(progress);
}

const Row kRows[] = {{"old.bmp", Export}, {"old.jpg", Export}, {"old.png", Export},     {"old.svg", Export},
                     {"old.pdf", Export}, {"old.emf", Export}, {"old.wmf", Export},     {"page.pdf", PrintToFile},
                     {"old.avi", Clip},   {"old.mp4", Clip},   {"old.gif", Clip}};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void WriteOld(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(kOld), kOld.size());
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

// Uncancelled, the work reports steps that only grow, to the whole.
// Cancelled at the first question, midway and at the last, just before the
// new file would take the old one's place, it leaves the old file.
TEST(CancelledWork, ReportsItsStepsToTheWholeAndCancelledLeavesTheOldFile)
{
    QTemporaryDir dir;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.File);
        const QString path = dir.filePath(QLatin1String(row.File));
        const QStringList workFiles = Entries(WorkFolderPaths().first());
        WriteOld(path);
        CancelAt uncancelled;
        row.Run(path, uncancelled);
        ASSERT_NE(ReadAll(path), kOld) << "the work was never cancelled, yet left the old file";
        const int questions = uncancelled.Asked();
        ASSERT_GT(questions, 0);
        double last = 0.0;
        for (const auto& [done, total] : uncancelled.reports) {
            ASSERT_GT(total, 0);
            ASSERT_LE(done, total);
            const double share = static_cast<double>(done) / static_cast<double>(total);
            EXPECT_GE(share, last);
            last = share;
        }
        EXPECT_EQ(last, 1.0);
        for (const int question : std::set<int>{1, (questions + 1) / 2, questions}) {
            SCOPED_TRACE(question);
            WriteOld(path);
            CancelAt cancelled(question);
            EXPECT_THROW(row.Run(path, cancelled), WorkCancelled);
            EXPECT_EQ(ReadAll(path), kOld);
            EXPECT_EQ(Entries(dir.path()), QStringList(QLatin1String(row.File)));
            EXPECT_EQ(Entries(WorkFolderPaths().first()), workFiles);
        }
        QFile::remove(path);
    }
}
