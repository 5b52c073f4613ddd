#include "app/tform1.h"

#include "session/fractal_session.h"

void Tform1::ptbFractMouseDown(Qt::MouseButton button, int x, int y)
{
    session_.PressFract(button, x, y);
}

void Tform1::ptbFractMouseMove(int x, int y)
{
    session_.MoveFract(x, y);
}

void Tform1::ptbFractMouseUp(Qt::MouseButton button, int x, int y)
{
    session_.ReleaseFract(button, x, y);
}

void Tform1::ptbFractMouseWheel(int x, int y, double notches)
{
    session_.WheelFract(x, y, notches);
}

void Tform1::N1001Click()
{
    session_.FullView();
}
