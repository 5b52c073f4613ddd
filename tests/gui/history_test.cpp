#include "tests/gui/window_fixture.h"

#include <QKeyEvent>

namespace {

class History : public WindowTest {
protected:
    FractState Shown() const
    {
        return {session->Generator.Count, session->Generator.Items, session->Depth(), session->Lines()};
    }
};

// A drag, "Kante hinzufügen" and "Neu", taken back through keys and menu and
// given again: the panes show each state as it was.
TEST_F(History, UndoAndRedoThroughMenuAndKeys)
{
    QAction* undo = Named<QAction>(*window, "Rckgngig1");
    QAction* redo = Named<QAction>(*window, "Wiederherstellen1");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig"));
    const FractState start = Shown();

    QTest::mousePress(ptbEditor(), Qt::LeftButton, {}, Node(2));
    QTest::mouseMove(ptbEditor(), Node(2) + QPoint(4, 6));
    QTest::mouseMove(ptbEditor(), Node(2) + QPoint(8, 12));
    QTest::mouseRelease(ptbEditor(), Qt::LeftButton, {}, Node(2) + QPoint(8, 12));
    const FractState dragged = Shown();
    const QImage draggedPicture = FractPicture();
    EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig: Knoten verschieben"));
    QTest::keyClick(window.get(), Qt::Key_Insert);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig: Neuer Generator"));
    EXPECT_FALSE(redo->isEnabled());

    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(session->Generator.Count, 5) << "back to the added edge";
    Trigger(undo);
    EXPECT_EQ(session->Generator.Count, 4);
    EXPECT_EQ(FractPicture(), draggedPicture);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Shown() == start);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("&Wiederherstellen: Knoten verschieben"));

    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(Shown() == dragged);
    EXPECT_EQ(FractPicture(), draggedPicture);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(session->Generator.Count, 5);
    EXPECT_EQ(redo->text(), QStringLiteral("&Wiederherstellen: Neuer Generator"));
}

// A run of the depth slider's keys is one step, however many ticks it makes.
TEST_F(History, AKeyHeldOnTheDepthSliderIsOneStep)
{
    tbDepth()->setFocus();
    QTest::keyClick(tbDepth(), Qt::Key_Right);
    for (const bool held : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), held);
        QCoreApplication::sendEvent(tbDepth(), &press);
    }
    ASSERT_EQ(tbDepth()->value(), 5);
    Trigger(Named<QAction>(*window, "Rckgngig1"));
    EXPECT_EQ(tbDepth()->value(), 2);
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("2"));
}

} // namespace
