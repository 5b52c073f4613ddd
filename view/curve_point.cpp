#include "view/curve_point.h"

#include "view/curve_tracer.h"
#include "view/endless_camera.h"
#include "view/limit_curve.h"

#include <cmath>
#include <limits>

namespace {

// The search looks through pictures this many pixels across.
constexpr int kSearchPixels = 256;
// Each picture magnifies the last one by 2^kStepBits about the point found
// there. The traced points lie on the curve to far below a pixel of their
// picture (doubles below exact roots), so the curve passes within a small
// share of a pixel of the next picture's centre.
constexpr mpfr_prec_t kStepBits = 24;
// Beyond this many pictures from the centre, p no longer steers the search:
// the nearest point is already as near as the last picture could tell.
constexpr double kSteeringPictures = 2.0;

Complex NearestOf(const std::vector<Complex>& points, const Complex& target)
{
    Complex best = points.front();
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const Complex& q : points) {
        const double distance = std::hypot(q.Re - target.Re, q.Im - target.Im);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = q;
        }
    }
    return best;
}

// The first picture holds the whole curve and p.
EndlessCamera FirstCamera(const LimitCurve& curve, const BigComplex& p, const PixelRect& rect)
{
    const BigComplex low(curve.BoundsMin(), BigFloat::kMinBits);
    const BigComplex high(curve.BoundsMax(), BigFloat::kMinBits);
    const BigComplex min(p.Re < low.Re ? p.Re : low.Re, p.Im < low.Im ? p.Im : low.Im);
    const BigComplex max(high.Re < p.Re ? p.Re : high.Re, high.Im < p.Im ? p.Im : high.Im);
    return FitCamera(min, max, rect);
}

} // namespace

BigComplex NearestCurvePoint(const LimitCurve& curve, const BigComplex& p, const BigFloat& magnification)
{
    constexpr int kHalf = kSearchPixels / 2;
    const PixelRect rect{-kHalf, -kHalf, kHalf, kHalf};
    // Past the full view of this picture magnified, with one more step for
    // the larger panes the magnification counts in.
    const EndlessCamera full =
        FitCamera(BigComplex(curve.BoundsMin(), BigFloat::kMinBits), BigComplex(curve.BoundsMax(), BigFloat::kMinBits), rect);
    BigFloat goal = Rounded(full.Scale * magnification, kScaleBits);
    mpfr_mul_2si(goal.get(), goal.get(), kStepBits, MPFR_RNDN);

    EndlessCamera camera = FirstCamera(curve, p, rect);
    CurveTracer tracer;
    TracedCurve trace;
    BigComplex point = p;
    for (;;) {
        tracer.Trace(curve, camera, rect, TraceLimits{}, trace);
        if (trace.Points.empty())
            return point;
        // Later pictures are centred on the point found last.
        Complex target = camera.PixelOf(p);
        if (!(std::hypot(target.Re, target.Im) <= kSteeringPictures * kSearchPixels))
            target = Complex(0, 0);
        point = camera.PointAt(NearestOf(trace.Points, target), kStepBits);
        if (goal < camera.Scale)
            return point;
        camera.Origin = point;
        mpfr_mul_2si(camera.Scale.get(), camera.Scale.get(), kStepBits, MPFR_RNDN);
    }
}
