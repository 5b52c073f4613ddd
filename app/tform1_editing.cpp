#include "app/tform1.h"

#include "app/edge_menu.h"
#include "session/fractal_session.h"
#include "ui_tform1.h"

// A right click near an edge opens its menu; elsewhere it changes nothing.
void Tform1::ptbEditorMouseDown(Qt::MouseButton button, int x, int y)
{
    if (button == Qt::RightButton) {
        if (const int edge = session_.PressEditorEdge(x, y); edge >= 0)
            ShowEdgeMenu(session_, edge, *ui->ptbEditor, QPoint(x, y));
        return;
    }
    session_.PressEditor(button, x, y);
}

void Tform1::ptbEditorMouseMove(int x, int y)
{
    session_.MoveEditor(x, y);
}

void Tform1::ptbEditorMouseUp(Qt::MouseButton button, int, int)
{
    session_.ReleaseEditor(button);
}

void Tform1::Kantehinzufgen1Click()
{
    session_.AddEdge();
}

void Tform1::Kantelschen1Click()
{
    session_.DeleteEdge();
}
