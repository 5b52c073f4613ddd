#include "app/tform1.h"

#include "session/fractal_session.h"

void Tform1::ptbEditorMouseDown(Qt::MouseButton button, int x, int y)
{
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
