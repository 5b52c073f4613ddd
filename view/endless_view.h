#pragma once

#include "model/fract_model.h"
#include "view/endless_camera.h"
#include "view/limit_curve.h"
#include "view/pixel_rect.h"

#include <utility>

// The deepest magnification the endless view draws, 10^kDeepestPowerOfTen
// times the full view. Every digit of magnification makes each number of
// the precise descent longer and the descent deeper, so a first picture's
// time grows with its square: here a 1080p picture of the examples still
// takes under two seconds and little memory on a 2-core machine.
constexpr long kDeepestPowerOfTen = 1000;
BigFloat DeepestMagnification();

// The endless view of a generator: its limit curve, the window (the part of
// the curve the view shows, as the polyline view's window, in the
// generator's coordinates) and the camera of the pane. Outside an animated zoom the
// pane's paint fits the window into the pane; a zoom sets the window it
// ends at and moves the camera there step by step.
class EndlessView {
public:
    // The generator's limit curve anew, and the full view.
    void Recalculate(const FractModel& generator);
    const LimitCurve& Curve() const { return curve_; }

    // The window becomes the bounds of the curve.
    void FullView();
    // Any two corners in the generator's coordinates.
    void SetWindow(const BigComplex& a, const BigComplex& b);
    // Two corners in the pane's pixels (c1 the smaller), as the camera
    // shows them; an extent below one pixel counts as one, as in the pixel
    // fit of the polyline view.
    void SetBand(const Complex& c1, const Complex& c2);
    const BigComplex& WindowMin() const { return windowMin_; }
    const BigComplex& WindowMax() const { return windowMax_; }
    // Widens the window about its centre to the deepest magnification where
    // it lies deeper in the pane; true when it did.
    bool LimitDepth(const PixelRect& pane);
    // The window in the pane's pixels as the camera shows it.
    std::pair<Complex, Complex> WindowInPane() const;

    void FitToPane(const PixelRect& pane);
    const EndlessCamera& Camera() const { return camera_; }
    // Moves the pane's picture at once, pixel p to Scale p + Offset; the
    // window becomes all that the pane then shows.
    void MovePicture(const CameraMove& move, const PixelRect& pane);

    // An animated zoom from the camera to the window fitted into the pane.
    void PrepareZoom(const PixelRect& pane, int steps);
    // An animated zoom from the full view to the given magnification about
    // the curve point nearest near, which keeps its pixel; the window
    // becomes the pane's area at the end.
    void PrepareDive(const BigComplex& near, const BigFloat& magnification, const PixelRect& pane, int steps);
    void ZoomStep();

    // The pane's scale against that of the full view: of the camera while it
    // steps through a zoom, else of the window fitted into the pane.
    BigFloat Magnification(const PixelRect& pane, bool stepping) const;

private:
    BigComplex Bound(const Complex& corner) const;

    LimitCurve curve_;
    BigComplex windowMin_;
    BigComplex windowMax_;
    EndlessCamera camera_;
    CameraZoom zoom_;
};
