#include "tests/gui/window_fixture.h"

#include <cmath>

namespace {

using EditorPane = WindowTest;

double EdgeAngle(const FractModel& model, int k)
{
    Complex e(1, 0);
    for (int i = 0; i <= k; ++i)
        e.Mul(model.Items[i]);
    return std::atan2(e.Im, e.Re) * 180 / M_PI;
}

TEST_F(EditorPane, DraggingAnInnerNodeMovesTheNodesAfterItAlike)
{
    PaintBox* pane = ptbEditor();
    const QPoint from = Node(2);
    const std::vector<Complex> before(session->Editor.Points.begin(), session->Editor.Points.begin() + 5);
    const QImage fractBefore = FractPicture();
    QTest::mousePress(pane, Qt::LeftButton, {}, from);
    EXPECT_EQ(session->Mode(), modeDragging);
    EXPECT_EQ(session->Editor.PickedNode, 2);
    const QPoint to = from + QPoint(6, 9);
    QTest::mouseMove(pane, to);
    const Complex& node2 = session->Editor.Points[2];
    EXPECT_NEAR(node2.Re, to.x(), 1e-9);
    EXPECT_NEAR(node2.Im, to.y(), 1e-9);
    for (int k = 3; k <= 4; ++k) {
        EXPECT_NEAR(session->Editor.Points[k].Re - before[k].Re, node2.Re - before[2].Re, 1e-9);
        EXPECT_NEAR(session->Editor.Points[k].Im - before[k].Im, node2.Im - before[2].Im, 1e-9);
    }
    EXPECT_NE(FractPicture(), fractBefore) << "the fractal follows the drag";
    QTest::mouseRelease(pane, Qt::LeftButton, {}, to);
    EXPECT_EQ(session->Mode(), modeIdle);
}

TEST_F(EditorPane, DraggingTheLastNodeKeepsItsDistance)
{
    PaintBox* pane = ptbEditor();
    const Complex pivot = session->Editor.Points[3];
    const Complex end = session->Editor.Points[4];
    const double radius = std::hypot(end.Re - pivot.Re, end.Im - pivot.Im);
    QTest::mousePress(pane, Qt::LeftButton, {}, Node(4));
    QTest::mouseMove(pane, QPoint(static_cast<int>(pivot.Re), static_cast<int>(pivot.Im) - 30));
    const Complex moved = session->Editor.Points[4];
    EXPECT_NEAR(std::hypot(moved.Re - pivot.Re, moved.Im - pivot.Im), radius, 1e-9);
    QTest::mouseRelease(pane, Qt::LeftButton, {}, Node(4));
}

TEST_F(EditorPane, ReleaseSnapsToTheRasters)
{
    session->Editor.AngRaster = 6;
    QTest::mouseClick(ptbEditor(), Qt::LeftButton, {}, QPoint(2, 2)); // misses every node
    const double six[] = {0, -60, 60, 0};
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(EdgeAngle(session->Generator, k), six[k], 1e-9);

    ReopenWindow();
    session->Editor.AngRaster = 4;
    QTest::mouseClick(ptbEditor(), Qt::LeftButton, {}, Node(1));
    const double four[] = {0, -90, 0, -90};
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(EdgeAngle(session->Generator, k), four[k], 1e-9);
}

TEST_F(EditorPane, AMissedPressChangesNothingButStillRepaints)
{
    const Complex before = session->Generator.Items[1];
    QTest::mousePress(ptbEditor(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(session->Editor.PickedNode, 0);
    QTest::mouseMove(ptbEditor(), QPoint(40, 40));
    QTest::mouseRelease(ptbEditor(), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(session->Generator.Items[1].Re, before.Re);
    EXPECT_EQ(session->Generator.Items[1].Im, before.Im);
}

TEST_F(EditorPane, RightAndMiddlePressesAreIgnored)
{
    session->SetMode(modeRubberBand);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(ptbEditor(), button, {}, Node(2));
        QTest::mouseMove(ptbEditor(), Node(2) + QPoint(10, 10));
        QTest::mouseRelease(ptbEditor(), button, {}, Node(2) + QPoint(10, 10));
        EXPECT_EQ(session->Mode(), modeRubberBand);
    }
    EXPECT_EQ(session->Generator.Items[1].Re, 0.6);
}

TEST_F(EditorPane, ANodeDraggedOutsideIsFittedBackOnRelease)
{
    PaintBox* pane = ptbEditor();
    QTest::mousePress(pane, Qt::LeftButton, {}, Node(2));
    QTest::mouseMove(pane, QPoint(pane->width() + 80, pane->height() + 80));
    EXPECT_GT(session->Editor.Points[4].Re, pane->width());
    QTest::mouseRelease(pane, Qt::LeftButton, {}, QPoint(pane->width() + 80, pane->height() + 80));
    for (int k = 0; k <= 4; ++k) {
        EXPECT_GE(session->Editor.Points[k].Re, 5 - 1e-9);
        EXPECT_LE(session->Editor.Points[k].Re, pane->width() - 5 + 1e-9);
        EXPECT_LE(session->Editor.Points[k].Im, pane->height() - 5 + 1e-9);
    }
}

TEST_F(EditorPane, InsertAndDeleteKeysEditTheGenerator)
{
    chkAnimLen()->setChecked(true);
    ASSERT_EQ(session->Mode(), modeAnimating);
    QTest::keyClick(window.get(), Qt::Key_Insert);
    EXPECT_EQ(session->Generator.Count, 5);
    EXPECT_EQ(session->Generator.Items[4].Re, 1);
    EXPECT_FALSE(chkAnimLen()->isChecked());
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_EQ(session->Editor.PointCount, 6);

    for (int i = 0; i < 5; ++i)
        QTest::keyClick(window.get(), Qt::Key_Insert);
    EXPECT_EQ(session->Generator.Count, 8);
    chkAnimAng()->setChecked(true);
    chkPause()->setChecked(false);
    QTest::keyClick(window.get(), Qt::Key_Insert);
    EXPECT_EQ(session->Generator.Count, 8) << "eight edges at most";
    EXPECT_FALSE(chkAnimAng()->isChecked()) << "the boxes are cleared all the same";

    session->Generator.Items[7].SetTo(0, 2);
    QTest::keyClick(window.get(), Qt::Key_Delete);
    EXPECT_EQ(session->Generator.Count, 7);
    EXPECT_DOUBLE_EQ(session->Generator.Items[6].Re, 2) << "the last edge takes the removed length";
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(window.get(), Qt::Key_Delete);
    EXPECT_EQ(session->Generator.Count, 1);
}

} // namespace
