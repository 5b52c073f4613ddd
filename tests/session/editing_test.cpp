#include "tests/session/session_fixture.h"

#include <cmath>

namespace {

using SessionEditing = SessionTest;

double EdgeAngle(const FractModel& model, int k)
{
    Complex e(1, 0);
    for (int i = 0; i <= k; ++i)
        e.Mul(model.Items[i]);
    return std::atan2(e.Im, e.Re) * 180 / M_PI;
}

TEST_F(SessionEditing, BothPanesFollowEveryMoveOfADrag)
{
    int editorChanges = 0;
    QObject::connect(&session, &FractalSession::editorChanged, [&] { ++editorChanges; });
    const QImage fract = Picture();
    session.PressEditor(Qt::LeftButton, Node(2).x(), Node(2).y());
    EXPECT_EQ(session.Mode(), modeDragging);
    EXPECT_EQ(session.Editor.PickedNode, 2);
    session.MoveEditor(Node(2).x() + 6, Node(2).y() + 9);
    EXPECT_NE(Picture(), fract);
    EXPECT_EQ(editorChanges, 1);
    session.ReleaseEditor(Qt::LeftButton);
    EXPECT_EQ(session.Mode(), modeIdle);
}

// Every left release snaps, also after a press that missed every node.
TEST_F(SessionEditing, EveryReleaseSnapsToTheRasters)
{
    session.Editor.AngRaster = 6;
    session.PressEditor(Qt::LeftButton, 2, 2);
    session.ReleaseEditor(Qt::LeftButton);
    const double sixths[] = {0, -60, 60, 0};
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(EdgeAngle(session.Generator, k), sixths[k], 1e-9);
}

TEST_F(SessionEditing, AMissedPressMovesNothingButBothPanesStillRepaint)
{
    const EdgeList before = Edges();
    int editorChanges = 0;
    int fractChanges = 0;
    QObject::connect(&session, &FractalSession::editorChanged, [&] { ++editorChanges; });
    QObject::connect(&session, &FractalSession::fractChanged, [&] { ++fractChanges; });
    session.PressEditor(Qt::LeftButton, 2, 2);
    EXPECT_EQ(session.Editor.PickedNode, 0);
    session.MoveEditor(40, 40);
    EXPECT_EQ(Edges(), before);
    EXPECT_EQ(editorChanges, 1);
    EXPECT_EQ(fractChanges, 1);
}

TEST_F(SessionEditing, RightAndMiddlePressesAreIgnored)
{
    const EdgeList before = Edges();
    session.SetMode(modeRubberBand);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        session.PressEditor(button, Node(2).x(), Node(2).y());
        session.MoveEditor(Node(2).x() + 10, Node(2).y() + 10);
        session.ReleaseEditor(button);
        EXPECT_EQ(session.Mode(), modeRubberBand);
    }
    EXPECT_EQ(Edges(), before);
}

TEST_F(SessionEditing, ANodeDraggedOutsideIsFittedBackOnRelease)
{
    session.PressEditor(Qt::LeftButton, Node(2).x(), Node(2).y());
    session.MoveEditor(205 + 80, 420 + 80);
    EXPECT_GT(session.Editor.Points[4].Re, 205);
    session.ReleaseEditor(Qt::LeftButton);
    for (int k = 0; k <= 4; ++k) {
        EXPECT_GE(session.Editor.Points[k].Re, 5 - 1e-9);
        EXPECT_LE(session.Editor.Points[k].Re, 205 - 5 + 1e-9);
        EXPECT_LE(session.Editor.Points[k].Im, 420 - 5 + 1e-9);
    }
}

// The generator and both animation lists change alike, the animation
// stops, and both panes show the new generator.
TEST_F(SessionEditing, AddingAndDeletingEdgesStopTheAnimation)
{
    session.AnimateLengths(true);
    session.AddEdge();
    EXPECT_EQ(session.Generator.Count, 5);
    EXPECT_EQ(session.LengthTargets.Count, 5);
    EXPECT_EQ(session.Generator.Items[4].Re, 1);
    EXPECT_FALSE(session.AnimatingLengths());
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_EQ(session.Editor.PointCount, 6);
    EXPECT_EQ(session.Viewer.PointCount, 6);

    for (int i = 0; i < 5; ++i)
        session.AddEdge();
    EXPECT_EQ(session.Generator.Count, 8);
    session.AnimateAngles(true);
    session.SetPaused(false);
    session.AddEdge();
    EXPECT_EQ(session.Generator.Count, 8) << "eight edges at most";
    EXPECT_FALSE(session.AnimatingAngles()) << "the animation stops all the same";
    EXPECT_EQ(session.Mode(), modeIdle);

    session.Generator.Items[7].SetTo(0, 2);
    session.DeleteEdge();
    EXPECT_EQ(session.Generator.Count, 7);
    EXPECT_DOUBLE_EQ(session.Generator.Items[6].Re, 2) << "the last edge takes the removed length";
    EXPECT_EQ(session.Editor.PointCount, 8);
    for (int i = 0; i < 10; ++i)
        session.DeleteEdge();
    EXPECT_EQ(session.Generator.Count, 1);
}

// A right press near an edge stops the animation and names the edge; each
// flip is a step of its own that clears both animation boxes, and undo
// takes the flips back one at a time.
TEST_F(SessionEditing, MirroringAndReversingAnEdgeAreStepsOfTheirOwn)
{
    session.AnimateAngles(true);
    session.Tick();
    const EdgeList before = Edges();
    EXPECT_EQ(session.PressEditorEdge(2, 2), -1) << "far from every edge";
    EXPECT_EQ(session.Mode(), modeAnimating);
    const QPoint middle = (Node(1) + Node(2)) / 2;
    EXPECT_EQ(session.PressEditorEdge(middle.x() + 4, middle.y() + 3), 1);
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_FALSE(session.Timer().isActive());

    session.AnimateLengths(true);
    session.MirrorEdge(1, true);
    EXPECT_EQ(session.Generator.Orientations[1], EdgeOrientation::Mirrored);
    EXPECT_FALSE(session.AnimatingLengths());
    EXPECT_FALSE(session.AnimatingAngles());
    EXPECT_EQ(session.History().UndoText(), EditSteps::kMirrorEdge);
    session.ReverseEdge(1, true);
    EXPECT_EQ(session.Generator.Orientations[1], EdgeOrientation::MirroredReversed);
    EXPECT_EQ(session.History().UndoText(), EditSteps::kReverseEdge);
    session.MirrorEdge(1, false);
    EXPECT_EQ(session.Generator.Orientations[1], EdgeOrientation::Reversed);

    session.Undo();
    session.Undo();
    EXPECT_EQ(session.Generator.Orientations[1], EdgeOrientation::Mirrored);
    session.Undo();
    EXPECT_EQ(session.Generator.Orientations[1], EdgeOrientation::Normal);
    session.Redo();
    EXPECT_EQ(session.Generator.Orientations[1], EdgeOrientation::Mirrored);
    EXPECT_EQ(Edges(), before) << "only the orientation changed";
}


} // namespace
