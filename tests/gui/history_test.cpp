#include "tests/gui/window_fixture.h"

#include <QKeyEvent>

namespace {

using History = WindowTest;

// A drag, "Kante hinzufügen" and "Neu" taken back through keys and menu and
// given again: the items name the steps, the panes show each state anew.
TEST_F(History, UndoAndRedoThroughMenuAndKeys)
{
    QAction* undo = Named<QAction>(*window, "Rckgngig1");
    QAction* redo = Named<QAction>(*window, "Wiederherstellen1");
    const QImage start = FractPicture();
    QTest::mousePress(ptbEditor(), Qt::LeftButton, {}, Node(2));
    QTest::mouseMove(ptbEditor(), Node(2) + QPoint(8, 12));
    QTest::mouseRelease(ptbEditor(), Qt::LeftButton, {}, Node(2) + QPoint(8, 12));
    const QImage dragged = FractPicture();
    QTest::keyClick(window.get(), Qt::Key_Insert);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig: Neuer Generator"));
    EXPECT_FALSE(redo->isEnabled());

    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(session->Generator.Count, 5);
    Trigger(undo);
    EXPECT_EQ(FractPicture(), dragged);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(FractPicture(), start);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig"));
    EXPECT_EQ(redo->text(), QStringLiteral("&Wiederherstellen: Knoten verschieben"));

    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(FractPicture(), dragged);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(session->Generator.Count, 5);
}

// A key held on the depth slider is one step, however many ticks it makes.
TEST_F(History, AKeyHeldOnTheDepthSliderIsOneStep)
{
    tbDepth()->setFocus();
    QTest::keyClick(tbDepth(), Qt::Key_Right);
    for (const bool repeated : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), repeated);
        QCoreApplication::sendEvent(tbDepth(), &press);
    }
    Trigger(Named<QAction>(*window, "Rckgngig1"));
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("2"));
}

} // namespace
