#include "tests/gui/window_fixture.h"
#include "tests/support/picture_compare.h"

#include <QMenu>
#include <QTimer>

// What the session does with a press, a move, a key or a tick is tested on
// the session (tests/session); here: that the user's mouse, keys and clicks
// reach it, and that both panes show what it then did.

namespace {

using Input = WindowTest;

TEST_F(Input, TheMouseDrawsABandZoomsIntoItAndARightClickZoomsOut)
{
    session->ZoomAnimation = false;
    const QImage full = FractPicture();
    QTest::mousePress(ptbFract(), Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(ptbFract(), QPoint(130, 90));
    EXPECT_EQ(session->RubberBand(), (PixelRect{30, 30, 130, 90}));
    EXPECT_GT(PixelsOf(FractPicture(), qRgb(0, 0, 255)), 20) << "the pane shows the band";
    QTest::mouseRelease(ptbFract(), Qt::LeftButton, {}, QPoint(130, 90));
    EXPECT_FALSE(session->Viewer.WindowIsBounds());
    const QImage zoomed = FractPicture();
    EXPECT_EQ(PixelsOf(zoomed, qRgb(0, 0, 255)), 0);
    EXPECT_NE(zoomed, full);
    QTest::mouseClick(ptbFract(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_TRUE(session->Viewer.WindowIsBounds());
    EXPECT_NE(FractPicture(), zoomed);
}

TEST_F(Input, DraggingANodeRedrawsBothPanesAtEveryMove)
{
    const QPoint from = Node(2);
    const QImage fract = FractPicture();
    const QImage editor = EditorPicture();
    QTest::mousePress(ptbEditor(), Qt::LeftButton, {}, from);
    EXPECT_EQ(session->Mode(), modeDragging);
    const QPoint to = from + QPoint(6, 9);
    QTest::mouseMove(ptbEditor(), to);
    EXPECT_EQ(Node(2), to);
    EXPECT_NE(FractPicture(), fract);
    EXPECT_NE(EditorPicture(), editor);
    QTest::mouseRelease(ptbEditor(), Qt::LeftButton, {}, to);
    EXPECT_EQ(session->Mode(), modeIdle);
}

TEST_F(Input, InsertAndDeleteEditTheGeneratorAndClearTheAnimationBoxes)
{
    chkAnimLen()->setChecked(true);
    ASSERT_EQ(session->Mode(), modeAnimating);
    const QImage editor = EditorPicture();
    QTest::keyClick(window.get(), Qt::Key_Insert);
    EXPECT_EQ(session->Generator.Count, 5);
    EXPECT_FALSE(chkAnimLen()->isChecked());
    EXPECT_NE(EditorPicture(), editor) << "the editor shows the new edge";
    chkAnimAng()->setChecked(true);
    chkPause()->setChecked(false);
    QTest::keyClick(window.get(), Qt::Key_Delete);
    EXPECT_EQ(session->Generator.Count, 4);
    EXPECT_FALSE(chkAnimAng()->isChecked());
}

// The real timer ticks, and the panes follow.
TEST_F(Input, TheAnimationBoxesAndPauseDriveTheTimer)
{
    const QImage fract = FractPicture();
    QTest::mouseClick(chkAnimAng(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modeAnimating);
    EXPECT_FALSE(chkPause()->isChecked());
    QTest::qWait(200);
    EXPECT_NE(session->Generator.Items[1].Re, 0.6);
    EXPECT_NE(FractPicture(), fract);
    QTest::mouseClick(chkPause(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modePaused);
    QTest::mouseClick(chkPause(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modeAnimating);
    QTest::mouseClick(chkAnimLen(), Qt::LeftButton);
    EXPECT_TRUE(session->AnimatingLengths());
    QTest::mouseClick(chkAnimLen(), Qt::LeftButton);
    QTest::mouseClick(chkAnimAng(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_TRUE(chkPause()->isChecked());
}

// Opens the editor's menu with a right click at the point and, when a menu
// shows, picks the action named pick (or closes it when pick is empty).
// Gives the menu's actions as "text:checked", or nothing when none showed.
QStringList EdgeMenuAt(PaintBox* editor, QPoint at, const char* pick)
{
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            shown << QStringLiteral("%1:%2").arg(action->text()).arg(action->isChecked());
            if (action->objectName() == QLatin1String(pick))
                chosen = action;
        }
        if (chosen != nullptr)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
        else
            menu->close();
    });
    QTest::mouseClick(editor, Qt::RightButton, {}, at);
    QTest::qWait(50);
    return shown;
}


TEST_F(Input, ARightClickOnAnEdgeMirrorsOrReversesItsCopyAndUndoTakesItBack)
{
    tbDepth()->setValue(3);
    const QImage plain = EditorPicture();
    const QImage fract = FractPicture();
    EXPECT_TRUE(EdgeMenuAt(ptbEditor(), QPoint(3, 3), "Kantespiegeln1").isEmpty());
    const QPoint onEdge = (Node(1) + Node(2)) / 2 + QPoint(3, 2);
    EXPECT_EQ(EdgeMenuAt(ptbEditor(), onEdge, "Kantespiegeln1"),
              (QStringList{QStringLiteral("Kante &spiegeln:0"), QStringLiteral("Kante &umkehren:0")}));
    EXPECT_EQ(session->Generator.Orientations[1], EdgeOrientation::Mirrored);
    const QImage mirrored = EditorPicture();
    EXPECT_NE(mirrored, plain) << "the mirrored edge is marked";
    EXPECT_NE(FractPicture(), fract);
    EXPECT_EQ(EdgeMenuAt(ptbEditor(), onEdge, "Kanteumkehren1"),
              (QStringList{QStringLiteral("Kante &spiegeln:1"), QStringLiteral("Kante &umkehren:0")}));
    EXPECT_EQ(session->Generator.Orientations[1], EdgeOrientation::MirroredReversed);
    EXPECT_NE(EditorPicture(), mirrored) << "the reversed edge is marked";

    QAction* undo = Named<QAction>(*window, "Rckgngig1");
    EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig: Kante umkehren"));
    Trigger(undo);
    EXPECT_EQ(EditorPicture(), mirrored);
    Trigger(undo);
    EXPECT_EQ(EditorPicture(), plain);
    EXPECT_EQ(FractPicture(), fract);
}

} // namespace
