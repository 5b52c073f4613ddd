#include "app/tform1.h"

#include "ui_tform1.h"

void Tform1::ptbEditorMouseDown(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    SetMode(modeDragging);
    Editor.HitTest(x, y);
}

// Both panes follow every move, also when no node was picked.
void Tform1::ptbEditorMouseMove(int x, int y)
{
    if (Mode != modeDragging)
        return;
    Editor.DragTo(x, y);
    ui->ptbEditor->repaint();
    Viewer.Recalculate();
    ui->ptbFract->repaint();
}

// Every left release snaps, with or without a drag.
void Tform1::ptbEditorMouseUp(Qt::MouseButton button, int, int)
{
    if (button != Qt::LeftButton)
        return;
    SetMode(modeIdle);
    Editor.SnapToRaster();
    Viewer.Recalculate();
    ui->ptbFract->repaint();
    LayoutEditor();
}

// An edge is added to or deleted from the generator and the two animation
// lists alike; both animations stop.
void Tform1::ChangeEdgeCount(void (FractModel::*change)())
{
    SetMode(modeIdle);
    (Generator.*change)();
    (AngleSteps.*change)();
    (LengthTargets.*change)();
    ui->chkAnimLen->setChecked(false);
    ui->chkAnimAng->setChecked(false);
    LayoutEditor();
    Viewer.Recalculate();
    ui->ptbFract->repaint();
}

void Tform1::Kantehinzufgen1Click()
{
    ChangeEdgeCount(&FractModel::AddEdge);
}

void Tform1::Kantelschen1Click()
{
    ChangeEdgeCount(&FractModel::DeleteEdge);
}
