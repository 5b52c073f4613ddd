#include "session/fractal_session.h"

FractState FractalSession::State() const
{
    return {Generator.Count, Generator.Items, Viewer.Depth, lines_, Generator.Orientations};
}

// As an edit does: both panes show the whole curve of the restored state.
void FractalSession::Restore(const FractState& state)
{
    Generator.Count = state.Count;
    Generator.Items = state.Items;
    Generator.Orientations = state.Orientations;
    Viewer.Depth = state.Depth;
    emit depthChanged(state.Depth);
    lines_ = state.Lines;
    emit linesChanged(state.Lines);
    LayoutEditor();
    Recalculate();
}

// A zoom or an animation stops as a press in the fractal pane stops it; an
// animation's run so ends and becomes the step undone.
void FractalSession::Undo()
{
    if (!history_.CanUndo())
        return;
    SetMode(modeIdle);
    history_.Undo();
}

void FractalSession::Redo()
{
    if (!history_.CanRedo())
        return;
    SetMode(modeIdle);
    history_.Redo();
}

// The animation's step lasts from its first moving tick to its stop.
void FractalSession::BeginStep()
{
    if (mode_ != modeAnimating)
        history_.EndRun();
}
