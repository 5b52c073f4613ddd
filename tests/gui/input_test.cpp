#include "tests/gui/window_fixture.h"
#include "tests/support/picture_compare.h"

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

} // namespace
