#include "model/random_source.h"
#include "session/fractal_session.h"
#include "tests/support/tool_runner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A session with its panes laid out, as the window has them.
struct Session : FractalSession {
    Session()
    {
        RandomSource::Instance().Seed(1234);
        SetFractPane(QSize(480, 460));
        SetEditorPane(QRect(0, 0, 209, 300));
        LayoutEditor();
    }

    FractState Now() const { return {Generator.Count, Generator.Items, Viewer.Depth, Lines()}; }

    void Drag(int node, int dx, int dy)
    {
        const Complex& p = Editor.Points[node];
        const int x = static_cast<int>(p.Re);
        const int y = static_cast<int>(p.Im);
        PressEditor(Qt::LeftButton, x, y);
        MoveEditor(x + dx / 2, y + dy / 2);
        MoveEditor(x + dx, y + dy);
        ReleaseEditor(Qt::LeftButton);
    }
};

// Each kind of step is undone to the exact state before it and redone to
// the exact state after it, the view recomputed for each.
TEST(EditHistory, EachKindOfStepIsUndoneAndRedoneWhole)
{
    struct Row {
        QString step;
        std::function<void(Session&)> make;
    };
    const Row rows[] = {
        {EditSteps::kMoveNode, [](Session& s) { s.Editor.AngRaster = 6; s.Drag(2, 9, 14); }},
        {EditSteps::kAddEdge, [](Session& s) { s.AddEdge(); }},
        {EditSteps::kDeleteEdge, [](Session& s) { s.DeleteEdge(); }},
        {EditSteps::kNew, [](Session& s) { s.New(); }},
        {EditSteps::kDepth, [](Session& s) { s.SetDepth(2); s.SetDepth(4); s.SetDepth(3); }},
        {EditSteps::kShowPoints, [](Session& s) { s.SetLines(false); }},
        {EditSteps::kAnimate, [](Session& s) {
             s.AnimateAngles(true);
             s.AnimateLengths(true);
             for (int i = 0; i < 3; ++i)
                 s.Tick();
             s.SetDepth(2);
             s.Tick();
             s.SetPaused(true);
         }},
    };
    for (const Row& row : rows) {
        Session s;
        const FractState before = s.Now();
        const int pointsBefore = s.Viewer.PointCount;
        row.make(s);
        const FractState after = s.Now();
        const int pointsAfter = s.Viewer.PointCount;
        const std::string name = row.step.toStdString();
        ASSERT_FALSE(after == before) << name;
        EXPECT_EQ(s.History().UndoText(), row.step) << name;

        s.Undo();
        EXPECT_TRUE(s.Now() == before) << name;
        EXPECT_EQ(s.Viewer.PointCount, pointsBefore) << name;
        EXPECT_FALSE(s.History().CanUndo()) << name << " is one step";
        EXPECT_EQ(s.History().RedoText(), row.step) << name;

        s.Redo();
        EXPECT_TRUE(s.Now() == after) << name;
        EXPECT_EQ(s.Viewer.PointCount, pointsAfter) << name;
        EXPECT_FALSE(s.History().CanRedo()) << name;
    }
}

TEST(EditHistory, UndoFirstStopsAZoomOrAnAnimation)
{
    Session zooming;
    zooming.AddEdge();
    zooming.ZoomToBand(Complex(10, 10), Complex(60, 50));
    ASSERT_EQ(zooming.Mode(), modeZooming);
    zooming.Undo();
    EXPECT_EQ(zooming.Mode(), modeIdle);
    EXPECT_FALSE(zooming.Timer().isActive());
    EXPECT_EQ(zooming.Generator.Count, 4);

    Session animating;
    animating.AnimateAngles(true);
    animating.Tick();
    animating.SetPaused(true);
    const FractState paused = animating.Now();
    animating.SetPaused(false);
    animating.Tick();
    animating.Undo();
    EXPECT_EQ(animating.Mode(), modeIdle);
    EXPECT_FALSE(animating.Timer().isActive());
    EXPECT_TRUE(animating.Now() == paused) << "the run since the pause is the step undone";
}

TEST(EditHistory, KeepsTheLatestThousandSteps)
{
    Session s;
    for (int i = 0; i <= EditHistory::kMostSteps; ++i)
        s.SetLines(i % 2 != 0);
    int undone = 0;
    for (; s.History().CanUndo(); ++undone)
        s.Undo();
    EXPECT_EQ(undone, EditHistory::kMostSteps);
    EXPECT_FALSE(s.Lines()) << "back to the state after the first step";
}

// A good file starts a new history; a bad one leaves it as it was.
TEST(EditHistory, OpeningAFileStartsANewHistory)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.fract"));
    const QString bad = dir.filePath(QStringLiteral("bad.fract"));
    ASSERT_TRUE(WriteBytes(good, "2\r\n0\r\n1\r\n0\r\n"));
    ASSERT_TRUE(WriteBytes(bad, "2\r\n0\r\nx\r\n"));
    Session s;
    s.AddEdge();
    s.AddEdge();
    s.Undo();
    EXPECT_THROW(s.Open(bad), FractFormatError);
    EXPECT_EQ(s.History().UndoText(), EditSteps::kAddEdge);
    EXPECT_EQ(s.History().RedoText(), EditSteps::kAddEdge);

    s.Open(good);
    EXPECT_FALSE(s.History().CanUndo());
    EXPECT_FALSE(s.History().CanRedo());
}

} // namespace
