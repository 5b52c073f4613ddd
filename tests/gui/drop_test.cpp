#include "tests/gui/window_fixture.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace {

using Drop = WindowTest;

// A .fract file dropped from a file manager opens as "Öffnen..." opens it;
// anything else is refused as the drag enters.
TEST_F(Drop, ADroppedFractFileOpensAndOthersAreRefused)
{
    const QString fract = WriteFile(QStringLiteral("dropped.fract"), "2\r\n0\r\n1\r\n0\r\n0\r\n1\r\n");
    const QString text = WriteFile(QStringLiteral("notes.txt"), "2\r\n0\r\n");
    const struct {
        QList<QUrl> urls;
        bool accepted;
    } rows[] = {{{QUrl::fromLocalFile(text)}, false},
                {{QUrl::fromLocalFile(fract), QUrl::fromLocalFile(fract)}, false},
                {{QUrl::fromLocalFile(fract)}, true}};
    const QPoint inside = window->rect().center();
    for (const auto& row : rows) {
        QMimeData data;
        data.setUrls(row.urls);
        // Shift asks for a move.
        QDragEnterEvent enter(inside, Qt::CopyAction | Qt::MoveAction, &data, Qt::NoButton, Qt::ShiftModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), row.accepted) << row.urls.first().toString().toStdString();
        if (row.accepted) {
            EXPECT_EQ(enter.dropAction(), Qt::CopyAction) << "the file manager keeps the file";
        }
    }

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(fract)});
    QDropEvent drop(inside, Qt::CopyAction | Qt::MoveAction, &data, Qt::NoButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    QTest::qWait(kPaintWait);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix - dropped.fract"));
    EXPECT_EQ(session->Depth(), 2);
    EXPECT_EQ(session->Generator.Count, 2);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
