#include "session/fractal_session.h"

#include "model/random_source.h"
#include "view/limit_curve.h"

#include <algorithm>

namespace {

// Draws of "Neu" for the endless view before the last one stays.
constexpr int kEndlessDraws = 20;

} // namespace

void FractalSession::PressEditor(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    history_.EndRun();
    SetMode(modeDragging);
    Editor.HitTest(x, y);
}

// Both panes follow every move, also when no node was picked.
void FractalSession::MoveEditor(int x, int y)
{
    if (mode_ != modeDragging)
        return;
    const FractState before = State();
    Editor.DragTo(x, y);
    emit editorChanged();
    Recalculate();
    history_.RecordInRun(EditSteps::kMoveNode, before, State());
}

// Every left release snaps, with or without a drag; the snap ends the
// drag's step.
void FractalSession::ReleaseEditor(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    const FractState before = State();
    SetMode(modeIdle);
    Editor.SnapToRaster();
    Recalculate();
    LayoutEditor();
    history_.RecordInRun(EditSteps::kMoveNode, before, State());
    history_.EndRun();
}

int FractalSession::PressEditorEdge(int x, int y)
{
    const int edge = Editor.EdgeAt(x, y);
    if (edge >= 0) {
        history_.EndRun();
        SetMode(modeIdle);
    }
    return edge;
}

void FractalSession::ChangeOrientation(int edge, EdgeOrientation flip, bool on, const QString& step)
{
    if (edge < 0 || edge >= Generator.Count)
        return;
    const FractState before = State();
    SetMode(modeIdle);
    EdgeOrientation& o = Generator.Orientations[edge];
    const bool has = flip == EdgeOrientation::Mirrored ? IsMirrored(o) : IsReversed(o);
    if (has != on)
        o = Compose(o, flip);
    AnimateLengths(false);
    AnimateAngles(false);
    LayoutEditor();
    Recalculate();
    history_.Record(step, before, State());
}

void FractalSession::MirrorEdge(int edge, bool on)
{
    ChangeOrientation(edge, EdgeOrientation::Mirrored, on, EditSteps::kMirrorEdge);
}

void FractalSession::ReverseEdge(int edge, bool on)
{
    ChangeOrientation(edge, EdgeOrientation::Reversed, on, EditSteps::kReverseEdge);
}

// An edge is added to or deleted from the generator and the two animation
// lists alike; both animations stop.
void FractalSession::ChangeEdgeCount(void (FractModel::*change)(), const QString& step)
{
    const FractState before = State();
    SetMode(modeIdle);
    (Generator.*change)();
    (AngleSteps.*change)();
    (LengthTargets.*change)();
    AnimateLengths(false);
    AnimateAngles(false);
    LayoutEditor();
    Recalculate();
    history_.Record(step, before, State());
}

void FractalSession::AddEdge()
{
    ChangeEdgeCount(&FractModel::AddEdge, EditSteps::kAddEdge);
}

void FractalSession::DeleteEdge()
{
    ChangeEdgeCount(&FractModel::DeleteEdge, EditSteps::kDeleteEdge);
}

// With "Endloser Zoom" on, a new generator is one the endless view can draw:
// turned so that its last edge is (1, 0), and drawn anew while some edge is
// not shorter than the chord. After kEndlessDraws the last draw stays, and
// the status line says why.
void FractalSession::DrawGenerator(int n)
{
    for (int draw = 0; draw < kEndlessDraws; ++draw) {
        Generator.RandomGenerator(n, MinLength, MaxLength, RandomSource::Instance());
        if (!endlessZoom_)
            return;
        Generator.TurnLastEdgeToAxis();
        LimitCurve curve;
        curve.Update(Generator);
        if (curve.Exists())
            return;
    }
}

void FractalSession::New()
{
    const int a = std::min(MinNodes, MaxNodes);
    const int b = std::max(MinNodes, MaxNodes);
    // The upper count is never drawn: 3 and 5 give three or four edges.
    const int n = a + RandomSource::Instance().NextInt(b - a);
    const FractState before = State();
    DrawGenerator(n);
    SetMode(modeIdle);
    LayoutEditor();
    Recalculate();
    history_.Record(EditSteps::kNew, before, State());
}
