#include "model/random_source.h"
#include "session/fractal_session.h"
#include "tests/support/tool_runner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A session with its editor laid out in a pane, as the window has it.
struct Session : FractalSession {
    Session()
    {
        RandomSource::Instance().Seed(1234);
        SetEditorPane(QRect(0, 0, 209, 300));
        LayoutEditor();
    }
    FractState Now() const { return {Generator.Count, Generator.Items, Viewer.Depth, Lines()}; }
};

// Each kind of step is one step, undone to the exact state before it and
// redone to the exact state after it.
TEST(EditHistory, EachKindOfStepIsUndoneAndRedoneWhole)
{
    const std::pair<QString, std::function<void(Session&)>> rows[] = {
        {EditSteps::kMoveNode, [](Session& s) {
             s.Editor.AngRaster = 6;
             const Complex& node = s.Editor.Points[2];
             s.PressEditor(Qt::LeftButton, static_cast<int>(node.Re), static_cast<int>(node.Im));
             s.MoveEditor(60, 40);
             s.MoveEditor(70, 50);
             s.ReleaseEditor(Qt::LeftButton);
         }},
        {EditSteps::kAddEdge, [](Session& s) { s.AddEdge(); }},
        {EditSteps::kDeleteEdge, [](Session& s) { s.DeleteEdge(); }},
        {EditSteps::kNew, [](Session& s) { s.New(); }},
        {EditSteps::kDepth, [](Session& s) { s.SetDepth(2); s.SetDepth(4); s.SetDepth(3); }},
        {EditSteps::kShowPoints, [](Session& s) { s.SetLines(false); }},
        // A depth changed while the generator moves joins its step.
        {EditSteps::kAnimate, [](Session& s) {
             s.AnimateAngles(true);
             s.Tick();
             s.SetDepth(2);
             s.Tick();
             s.SetPaused(true);
         }},
    };
    for (const auto& [step, make] : rows) {
        Session s;
        const FractState before = s.Now();
        make(s);
        const FractState after = s.Now();
        const std::string name = step.toStdString();
        ASSERT_FALSE(after == before) << name;
        EXPECT_EQ(s.History().UndoText(), step) << name;
        s.Undo();
        EXPECT_TRUE(s.Now() == before) << name;
        EXPECT_FALSE(s.History().CanUndo()) << name << " is one step";
        s.Redo();
        EXPECT_TRUE(s.Now() == after) << name;
        EXPECT_FALSE(s.History().CanRedo()) << name;
    }
}

// A gesture is a step only where it ends apart from where it began, and
// the depth's step and the animation's are two even without a pause
// between them.
TEST(EditHistory, StepsAreCountedByWhatChanged)
{
    const struct {
        const char* name;
        int steps;
        std::function<void(Session&)> make;
    } rows[] = {
        {"depth 1, 2, 1", 0, [](Session& s) { s.SetDepth(2); s.SetDepth(1); }},
        {"depth, then animation", 2, [](Session& s) {
             s.SetDepth(2);
             s.AnimateAngles(true);
             s.Tick();
             s.SetPaused(true);
         }},
    };
    for (const auto& row : rows) {
        Session s;
        row.make(s);
        int undone = 0;
        for (; s.History().CanUndo(); ++undone)
            s.Undo();
        EXPECT_EQ(undone, row.steps) << row.name;
    }
}

// The pause ended the first run of the animation; undo stops the second and
// takes it back.
TEST(EditHistory, UndoStopsTheAnimationFirst)
{
    Session s;
    s.AnimateAngles(true);
    s.Tick();
    s.SetPaused(true);
    const FractState paused = s.Now();
    s.SetPaused(false);
    s.Tick();
    s.Undo();
    EXPECT_EQ(s.Mode(), modeIdle);
    EXPECT_FALSE(s.Timer().isActive());
    EXPECT_TRUE(s.Now() == paused);
}

// As many as the README promises.
TEST(EditHistory, KeepsTheLatestThousandSteps)
{
    constexpr int kPromised = 1000;
    Session s;
    for (int i = 0; i <= kPromised; ++i)
        s.SetLines(i % 2 != 0);
    int undone = 0;
    for (; s.History().CanUndo(); ++undone)
        s.Undo();
    EXPECT_EQ(undone, kPromised);
    EXPECT_FALSE(s.Lines()) << "the state after the first step";
}

// A good file starts a new history; a bad one leaves it as it was.
TEST(EditHistory, OpeningAFileStartsANewHistory)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.fract"));
    ASSERT_TRUE(WriteBytes(bad, "2\r\n0\r\nx\r\n"));
    Session s;
    s.AddEdge();
    s.AddEdge();
    s.Undo();
    EXPECT_THROW(s.Open(bad), FractFormatError);
    EXPECT_EQ(s.History().UndoText(), EditSteps::kAddEdge);
    EXPECT_EQ(s.History().RedoText(), EditSteps::kAddEdge);
    s.Open(QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"));
    EXPECT_FALSE(s.History().CanUndo());
    EXPECT_FALSE(s.History().CanRedo());
}

} // namespace
