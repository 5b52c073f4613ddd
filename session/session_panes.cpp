#include "session/fractal_session.h"

#include "view/rubber_band.h"

void FractalSession::SetFractPane(QSize size)
{
    fractPane_ = {0, 0, size.width(), size.height()};
}

// During an animated zoom the timer moves the view step by step: the pane
// shows each step as it stands.
void FractalSession::FitToPane()
{
    if (mode_ == modeZooming)
        return;
    if (EndlessShown()) {
        endless_.FitToPane(fractPane_);
        return;
    }
    Viewer.SetRect(fractPane_);
    Viewer.Transform();
}

void FractalSession::PaintFract(QPainter& painter, double pixelRatio)
{
    FitToPane();
    Picture(ViewPlacement::AsShownIn(fractPane_, pixelRatio))->Draw(painter);
    if (mode_ == modeRubberBand)
        DrawRubberBand(painter, Scaled(rubberBand_, pixelRatio));
}

void FractalSession::SetEditorPane(const QRect& rect)
{
    editorPane_ = rect;
}

// The nodes' circles stay wholly inside the pane.
void FractalSession::LayoutEditor()
{
    const int inset = Editor.NodeRadius;
    Editor.Recalculate();
    Editor.SetRect(ToPixelRect(editorPane_.adjusted(inset, inset, -inset, -inset)));
    Editor.TargetRect = ToPixelRect(editorPane_);
    Editor.Transform();
    emit editorChanged();
}

void FractalSession::PaintEditor(QPainter& painter, double pixelRatio)
{
    Editor.Paint(painter, pixelRatio);
}

// The slider's ticks of one gesture are one step. While the generator
// moves, depth and display mode join the animation's step.
void FractalSession::SetDepth(int depth)
{
    const FractState before = State();
    ChangeDepth(depth);
    history_.RecordInRun(mode_ == modeAnimating ? EditSteps::kAnimate : EditSteps::kDepth, before, State());
}

void FractalSession::SetLines(bool lines)
{
    const FractState before = State();
    ChangeLines(lines);
    if (mode_ == modeAnimating)
        history_.RecordInRun(EditSteps::kAnimate, before, State());
    else
        history_.Record(lines ? EditSteps::kShowLines : EditSteps::kShowPoints, before, State());
}

// Like the controls that set them, depth and display mode act only on a
// change.
void FractalSession::ChangeDepth(int depth)
{
    if (depth == Viewer.Depth)
        return;
    Viewer.Depth = depth;
    emit depthChanged(depth);
    Recalculate();
}

void FractalSession::ChangeLines(bool lines)
{
    if (lines == lines_)
        return;
    lines_ = lines;
    emit linesChanged(lines);
    emit fractChanged();
}
