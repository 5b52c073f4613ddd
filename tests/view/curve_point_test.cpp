#include "model/fract_file.h"
#include "model/start_generator.h"
#include "view/curve_point.h"
#include "view/curve_tracer.h"
#include "view/endless_camera.h"
#include "view/limit_curve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Points typed in decimals that the curves' doubles miss by 1e-16 to 1e-15:
// a dive about the nearest curve point still shows the curve at its centre
// all the way down, where one about the typed point loses it past 1e15.
TEST(NearestCurvePoint, TypedDivePointsReachTheCurve)
{
    struct Row {
        const char* file;
        const char* re;
        const char* im;
    };
    const Row rows[] = {{nullptr, "3.2", "0"}, {"koch.fract", "3", "0"}, {"cesaro.fract", "0.3", "0.1"}};
    const PixelRect pane{0, 0, 320, 240};
    const BigFloat deepest = *ParseDecimal("1e60");
    for (const Row& row : rows) {
        FractModel generator(kGeneratorCapacity);
        if (row.file)
            LoadFractDocument(QStringLiteral(ORNALIX_EXAMPLES "/") + QLatin1String(row.file), generator);
        else
            MakeStartGenerator(generator);
        LimitCurve curve;
        curve.Update(generator);
        ASSERT_TRUE(curve.Exists());
        const BigComplex typed(*ParseDecimal(row.re), *ParseDecimal(row.im));
        const BigComplex point = NearestCurvePoint(curve, typed, deepest);
        const EndlessCamera full = FitCamera(BigComplex(curve.BoundsMin(), BigFloat::kMinBits),
                                             BigComplex(curve.BoundsMax(), BigFloat::kMinBits), pane);
        const Complex centre = full.PixelOf(point);
        for (const char* magnification : {"1", "1e10", "1e20", "1e40", "1e60"}) {
            EndlessCamera camera = full;
            CameraZoom::About(full, point, *ParseDecimal(magnification), 1).Step(camera);
            CurveTracer tracer;
            TracedCurve trace;
            tracer.Trace(curve, camera, pane, TraceLimits(), trace);
            double nearest = INFINITY;
            for (const Complex& q : trace.Points)
                nearest = std::min(nearest, std::hypot(q.Re - centre.Re, q.Im - centre.Im));
            EXPECT_LT(nearest, 2.0) << row.re << "," << row.im << " at x" << magnification;
        }
    }
}

} // namespace
