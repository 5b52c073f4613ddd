#include "view/endless_camera.h"

#include <algorithm>

mpfr_prec_t PixelPrecision(const BigFloat& scale, long exponent)
{
    return std::max<mpfr_prec_t>(BigFloat::kMinBits, scale.Exponent() + std::max(exponent, 1L) + kGuardBits);
}

namespace {

BigComplex Precise(const Complex& z)
{
    return BigComplex(z, BigFloat::kMinBits);
}

// a - b, exact to the pixel wherever it lies.
BigComplex Difference(const BigComplex& a, const BigComplex& b, const BigFloat& scale)
{
    const mpfr_prec_t bits = PixelPrecision(scale, std::max(a.Exponent(), b.Exponent()) + 1);
    BigComplex d(bits);
    mpfr_sub(d.Re.get(), a.Re.get(), b.Re.get(), MPFR_RNDN);
    mpfr_sub(d.Im.get(), a.Im.get(), b.Im.get(), MPFR_RNDN);
    return d;
}

} // namespace

BigComplex EndlessCamera::PreciseReach(const BigComplex& z) const
{
    return Difference(z, Origin, Scale) * Scale;
}

BigComplex EndlessCamera::PointAt(const BigComplex& pixel, mpfr_prec_t extraBits) const
{
    const BigComplex shift = pixel / Scale;
    BigFloat finer = Scale;
    mpfr_mul_2si(finer.get(), Scale.get(), extraBits, MPFR_RNDN);
    const mpfr_prec_t bits = PixelPrecision(finer, std::max(shift.Exponent(), Origin.Exponent()) + 1);
    BigComplex z(bits);
    mpfr_add(z.Re.get(), Origin.Re.get(), shift.Re.get(), MPFR_RNDN);
    mpfr_add(z.Im.get(), Origin.Im.get(), shift.Im.get(), MPFR_RNDN);
    return z;
}

// p' = k (z - O) S + t = (z - O') k S with O' = O - t / (k S).
void EndlessCamera::Move(const CameraMove& move)
{
    Scale = Rounded(Scale * move.Scale, kScaleBits);
    const BigComplex shift = move.Offset / Scale;
    Origin = Difference(Origin, shift, Scale);
}

EndlessCamera FitCamera(const BigComplex& min, const BigComplex& max, const PixelRect& rect)
{
    // The rectangle is in pixels: an extent below one counts as one there.
    const double width = std::max(static_cast<double>(rect.Right) - rect.Left, 1.0);
    const double height = std::max(static_cast<double>(rect.Bottom) - rect.Top, 1.0);
    const BigFloat windowWidth = max.Re - min.Re;
    const BigFloat windowHeight = max.Im - min.Im;
    const BigFloat w(width, kScaleBits), h(height, kScaleBits);
    const bool windowIsWider = w * windowHeight < h * windowWidth;
    EndlessCamera camera;
    if (windowWidth.Sign() <= 0 && windowHeight.Sign() <= 0)
        camera.Scale = BigFloat(1.0, kScaleBits);
    else
        camera.Scale = Rounded(windowIsWider ? w / windowWidth : h / windowHeight, kScaleBits);
    // The rectangle's corner, then the centring, in pixels.
    Complex corner(rect.Left, rect.Top);
    if (windowIsWider)
        corner.Im += (h - windowHeight * camera.Scale).ToDouble() / 2;
    else
        corner.Re += (w - windowWidth * camera.Scale).ToDouble() / 2;
    const BigComplex shift = Precise(corner) / camera.Scale;
    camera.Origin = Difference(min, shift, camera.Scale);
    return camera;
}

// Under from, z shows at p = (z - Of) Sf; under to at (z - Ot) St
// = p St / Sf + (Of - Ot) St.
CameraMove MoveBetween(const EndlessCamera& from, const EndlessCamera& to)
{
    CameraMove move;
    move.Scale = Rounded(to.Scale / from.Scale, kScaleBits);
    move.Offset = Difference(from.Origin, to.Origin, to.Scale) * to.Scale;
    return move;
}

CameraZoom CameraZoom::About(const EndlessCamera& from, const BigComplex& point, const BigFloat& magnification,
                             int steps)
{
    CameraZoom zoom;
    mpfr_rootn_ui(zoom.factor_.get(), magnification.get(), static_cast<unsigned long>(std::max(steps, 1)), MPFR_RNDN);
    zoom.scales_ = mpfr_cmp_ui(zoom.factor_.get(), 1) != 0;
    zoom.fixedPixel_ = from.PreciseReach(point);
    zoom.fixedPoint_ = point;
    return zoom;
}

// The whole zoom, pixel p to s p + o, leaves o / (1 - s) in place; with
// s = 1 it moves every pixel by o.
CameraZoom CameraZoom::Between(const EndlessCamera& from, const EndlessCamera& to, int steps)
{
    const CameraMove whole = MoveBetween(from, to);
    const auto n = static_cast<unsigned long>(std::max(steps, 1));
    if (mpfr_cmp_ui(whole.Scale.get(), 1) == 0) {
        CameraZoom zoom;
        const BigFloat count(static_cast<double>(n), kScaleBits);
        zoom.shift_ = whole.Offset / count;
        return zoom;
    }
    const BigFloat one(1.0, whole.Offset.Precision());
    const BigComplex fixed = whole.Offset / (one - whole.Scale);
    // Where the fixed pixel's point lies, exact for the finer pixels of the
    // two ends.
    const BigComplex shift = fixed / from.Scale;
    const BigFloat end = Rounded(from.Scale * whole.Scale, kScaleBits);
    const BigFloat& finer = end < from.Scale ? from.Scale : end;
    const mpfr_prec_t bits = PixelPrecision(finer, std::max(shift.Exponent(), from.Origin.Exponent()) + 1);
    BigComplex point(bits);
    mpfr_add(point.Re.get(), from.Origin.Re.get(), shift.Re.get(), MPFR_RNDN);
    mpfr_add(point.Im.get(), from.Origin.Im.get(), shift.Im.get(), MPFR_RNDN);
    return About(from, point, whole.Scale, steps);
}

void CameraZoom::Step(EndlessCamera& camera) const
{
    if (!scales_) {
        CameraMove move;
        move.Offset = shift_;
        camera.Move(move);
        return;
    }
    camera.Scale = Rounded(camera.Scale * factor_, kScaleBits);
    const BigComplex shift = fixedPixel_ / camera.Scale;
    camera.Origin = Difference(fixedPoint_, shift, camera.Scale);
}
