#include "session/fractal_session.h"

#include <cmath>

namespace {

// One notch of the mouse wheel zooms in (or out) by this factor.
constexpr double kWheelZoom = 2.0;
// A point at x shows in pixel floor(x): the middle of pixel x is at x + 0.5.
constexpr double kPixelCentre = 0.5;

} // namespace

// Notches away from the user zoom in; a fine wheel's fractions of a notch
// zoom by as much less. The zoom holds the middle of the pixel under the
// cursor, so what shows there stays however long the wheel turns.
void FractalSession::WheelFract(int x, int y, double notches)
{
    if (!GesturesAllowed() || notches == 0.0)
        return;
    const double scale = std::pow(kWheelZoom, notches);
    Complex offset(x + kPixelCentre, y + kPixelCentre);
    offset.MulReal(1 - scale);
    MovePicture(scale, offset);
}

void FractalSession::PanTo(const Complex& point)
{
    Complex shift(point);
    shift.Sub(*panFrom_);
    panFrom_ = point;
    if (GesturesAllowed())
        MovePicture(1.0, shift);
}

// The picture moves at once, pane pixel p to scale p + offset, and the
// window becomes all the pane then shows, so that the next paint fits it
// there and an export of another shape shows at least what the pane does.
// The polyline view's window is in the pane's pixels already.
void FractalSession::MovePicture(double scale, const Complex& offset)
{
    if (EndlessShown()) {
        CameraMove move;
        move.Scale = BigFloat(scale, kScaleBits);
        move.Offset = BigComplex(offset, BigFloat::kMinBits);
        endless_.MovePicture(move, fractPane_);
        endless_.LimitDepth(fractPane_);
    } else {
        zoomMin_.Assign(Complex(fractPane_.Left, fractPane_.Top));
        zoomMax_.Assign(Complex(fractPane_.Right, fractPane_.Bottom));
        for (Complex* corner : {&zoomMin_, &zoomMax_}) {
            corner->Sub(offset);
            corner->DivReal(scale);
        }
        Viewer.SetWindow(zoomMin_, zoomMax_);
    }
    emit fractChanged();
}
