#include "tests/gui/window_fixture.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace {

using Drop = WindowTest;

// A .fract file dropped opens as "Öffnen..." opens it, and is copied even
// when the user asks for a move (Shift); anything else, two .fract files
// too, is refused.
TEST_F(Drop, ADroppedFractFileOpensAndOthersAreRefused)
{
    const QUrl dropped = QUrl::fromLocalFile(WriteFile(QStringLiteral("dropped.fract"), "2\r\n0\r\n1\r\n0\r\n0\r\n1\r\n"));
    const QUrl other = QUrl::fromLocalFile(WriteFile(QStringLiteral("other.fract"), "2\r\n0\r\n1\r\n0\r\n0\r\n1\r\n"));
    const QUrl text = QUrl::fromLocalFile(WriteFile(QStringLiteral("notes.txt"), "2\r\n0\r\n"));
    const QPoint inside = window->rect().center();
    for (const QList<QUrl>& urls : {QList<QUrl>{text}, QList<QUrl>{dropped, other}}) {
        QMimeData refusedData;
        refusedData.setUrls(urls);
        QDragEnterEvent refused(inside, Qt::CopyAction | Qt::MoveAction, &refusedData, Qt::NoButton, Qt::ShiftModifier);
        QCoreApplication::sendEvent(window.get(), &refused);
        EXPECT_FALSE(refused.isAccepted()) << urls.size() << " files";
    }
    QMimeData fract;
    fract.setUrls({dropped});
    QDragEnterEvent enter(inside, Qt::CopyAction | Qt::MoveAction, &fract, Qt::NoButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());

    QDropEvent drop(inside, Qt::CopyAction | Qt::MoveAction, &fract, Qt::NoButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    QTest::qWait(kPaintWait);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix - dropped.fract"));
    EXPECT_EQ(session->Generator.Count, 2);
}

} // namespace
