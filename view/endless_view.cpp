#include "view/endless_view.h"

#include "view/curve_point.h"

#include <algorithm>
#include <cmath>

namespace {

// A band is at least one pixel across, so it magnifies by less than 2^32:
// its corners carry that many more bits than the camera it was drawn in.
constexpr mpfr_prec_t kBandBits = 32;

} // namespace

// Exact: 10^n is 2^n 5^n, and 5^n takes n log2(5) bits.
BigFloat DeepestMagnification()
{
    BigFloat deepest(static_cast<mpfr_prec_t>(std::ceil(kDeepestPowerOfTen * std::log2(5.0))) + 1);
    mpfr_ui_pow_ui(deepest.get(), 10, kDeepestPowerOfTen, MPFR_RNDN);
    return deepest;
}

void EndlessView::Recalculate(const FractModel& generator)
{
    curve_.Update(generator);
    FullView();
}

BigComplex EndlessView::Bound(const Complex& corner) const
{
    return BigComplex(corner, BigFloat::kMinBits);
}

void EndlessView::FullView()
{
    windowMin_ = Bound(curve_.BoundsMin());
    windowMax_ = Bound(curve_.BoundsMax());
}

void EndlessView::SetWindow(const BigComplex& a, const BigComplex& b)
{
    windowMin_ = BigComplex(a.Re < b.Re ? a.Re : b.Re, a.Im < b.Im ? a.Im : b.Im);
    windowMax_ = BigComplex(a.Re < b.Re ? b.Re : a.Re, a.Im < b.Im ? b.Im : a.Im);
}

void EndlessView::SetBand(const Complex& c1, const Complex& c2)
{
    const Complex far(c1.Re + std::max(c2.Re - c1.Re, 1.0), c1.Im + std::max(c2.Im - c1.Im, 1.0));
    windowMin_ = camera_.PointAt(c1, kBandBits);
    windowMax_ = camera_.PointAt(far, kBandBits);
}

bool EndlessView::LimitDepth(const PixelRect& pane)
{
    const BigFloat magnification = Magnification(pane, false);
    const BigFloat deepest = DeepestMagnification();
    if (!(deepest < magnification))
        return false;
    const BigFloat half(0.5, kScaleBits);
    const BigComplex centre = (windowMin_ + windowMax_) * half;
    const BigComplex reach = (windowMax_ - windowMin_) * (half * (magnification / deepest));
    windowMin_ = centre - reach;
    windowMax_ = centre + reach;
    return true;
}

std::pair<Complex, Complex> EndlessView::WindowInPane() const
{
    return {camera_.PixelOf(windowMin_), camera_.PixelOf(windowMax_)};
}

void EndlessView::FitToPane(const PixelRect& pane)
{
    camera_ = FitCamera(windowMin_, windowMax_, pane);
}

// The window is the pane's whole area, not the part of it the window held
// before (the curve's flat bounds, say): an export at another aspect ratio
// then fits all that the pane shows, where it would cut the rest off.
void EndlessView::MovePicture(const CameraMove& move, const PixelRect& pane)
{
    camera_.Move(move);
    windowMin_ = camera_.PointAt(Complex(pane.Left, pane.Top));
    windowMax_ = camera_.PointAt(Complex(pane.Right, pane.Bottom));
}

void EndlessView::PrepareZoom(const PixelRect& pane, int steps)
{
    zoom_ = CameraZoom::Between(camera_, FitCamera(windowMin_, windowMax_, pane), steps);
}

void EndlessView::PrepareDive(const BigComplex& near, const BigFloat& magnification, const PixelRect& pane, int steps)
{
    const BigComplex point = NearestCurvePoint(curve_, near, magnification);
    FullView();
    FitToPane(pane);
    EndlessCamera end = camera_;
    CameraZoom::About(camera_, point, magnification, 1).Step(end);
    windowMin_ = end.PointAt(Complex(pane.Left, pane.Top));
    windowMax_ = end.PointAt(Complex(pane.Right, pane.Bottom));
    zoom_ = CameraZoom::About(camera_, point, magnification, steps);
}

void EndlessView::ZoomStep()
{
    zoom_.Step(camera_);
}

BigFloat EndlessView::Magnification(const PixelRect& pane, bool stepping) const
{
    const EndlessCamera full = FitCamera(Bound(curve_.BoundsMin()), Bound(curve_.BoundsMax()), pane);
    const BigFloat& scale = stepping ? camera_.Scale : FitCamera(windowMin_, windowMax_, pane).Scale;
    return Rounded(scale / full.Scale, kScaleBits);
}
