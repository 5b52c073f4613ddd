#include "tests/session/session_fixture.h"
#include "view/endless_view.h"

#include <QPainter>

#include <cmath>

namespace {

class EndlessSession : public SessionTest {
protected:
    EndlessSession() { session.SetEndlessZoom(true); }

    double Magnification() const { return session.EndlessMagnification().ToDouble(); }

    QImage Drawn(const ViewPlacement& placement)
    {
        QImage image(placement.Rect.Right, placement.Rect.Bottom, QImage::Format_RGB32);
        QPainter painter(&image);
        session.Picture(placement)->Draw(painter);
        return image;
    }

    static constexpr PixelRect kPane{0, 0, 470, 420};
};

TEST_F(EndlessSession, WithoutALimitCurveThePaneShowsThePolylineView)
{
    session.SetDepth(4);
    ASSERT_TRUE(session.EndlessShown());
    const QImage endless = Picture();
    session.Generator.Items[3].SetTo(0.6, 0.8);
    session.SetDepth(5);
    EXPECT_FALSE(session.EndlessShown());
    EXPECT_EQ(session.Endless().Curve().Check(), LimitCurve::Verdict::LastEdgeNotUnit);
    const QImage fallback = Picture();
    session.SetEndlessZoom(false);
    EXPECT_EQ(Picture(), fallback);
    EXPECT_NE(Picture(), endless);
}

TEST_F(EndlessSession, GeneratorChangesReturnToTheFullView)
{
    session.ZoomAnimation = false;
    const std::function<void()> changes[] = {[&] { session.SetDepth(3); }, [&] { session.AddEdge(); },
                                             [&] { session.DeleteEdge(); }};
    for (const auto& change : changes) {
        session.ZoomToBand(Complex(100, 60), Complex(140, 90));
        EXPECT_GT(Magnification(), 6.0);
        change();
        EXPECT_NEAR(Magnification(), 1.0, 1e-12);
    }
}

// The steps of the polyline view's zoom: one factor each, about the pixel the
// whole zoom leaves in place, ending where the immediate zoom does.
TEST_F(EndlessSession, TheAnimatedZoomStepsGeometricallyAboutTheFixedPoint)
{
    session.ZoomAnimation = false;
    session.ZoomToBand(Complex(100, 60), Complex(140, 90));
    const QImage immediate = Picture();
    const double whole = Magnification();
    session.FullView();
    session.ZoomAnimation = true;
    session.ZoomSteps = 12;
    // The band fills the pane's width: pixel p goes to s p + o, which
    // leaves o / (1 - s) in place.
    const double s = 470.0 / 40;
    const Complex o(-100 * s, -60 * s + (420 - 30 * s) / 2);
    const Complex fixed(o.Re / (1 - s), o.Im / (1 - s));
    const BigComplex point = session.Endless().Camera().PointAt(fixed);
    session.ZoomToBand(Complex(100, 60), Complex(140, 90));
    double last = 1.0;
    for (int step = 1; step <= 12; ++step) {
        session.Tick();
        const Complex at = session.Endless().Camera().PixelOf(point);
        EXPECT_NEAR(at.Re, fixed.Re, 1e-6) << step;
        EXPECT_NEAR(at.Im, fixed.Im, 1e-6) << step;
        EXPECT_NEAR(Magnification() / last, std::pow(s, 1.0 / 12), 1e-9) << step;
        last = Magnification();
    }
    EXPECT_NEAR(last, whole, 1e-9 * whole);
    session.Tick();
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_EQ(Picture(), immediate);
}

// Out from deep, the fixed pixel's curve point is held exact to the deep
// camera's pixels, so it stays at its pixel through every step.
TEST_F(EndlessSession, TheZoomOutFromDeepKeepsItsFixedPoint)
{
    // About the curve's end, far from the origin.
    const BigComplex end(session.Endless().Curve().End(), 256);
    session.SetEndlessWindow(end - BigComplex(Complex(2e-40, 1e-40), 64), end + BigComplex(Complex(1e-40, 1e-40), 64));
    session.ZoomSteps = 12;
    const EndlessCamera deep = session.Endless().Camera();
    const CameraMove whole = MoveBetween(
        deep, FitCamera(BigComplex(session.Endless().Curve().BoundsMin(), 64),
                        BigComplex(session.Endless().Curve().BoundsMax(), 64), kPane));
    const BigComplex fixed = whole.Offset / (BigFloat(1.0, kScaleBits) - whole.Scale);
    const BigComplex point = deep.PointAt(fixed);
    RightClick();
    for (int step = 1; step <= 12; ++step) {
        session.Tick();
        const Complex at = session.Endless().Camera().PixelOf(point);
        EXPECT_NEAR(at.Re, fixed.ToComplex().Re, 1e-6) << step;
        EXPECT_NEAR(at.Im, fixed.ToComplex().Im, 1e-6) << step;
    }
    EXPECT_NEAR(Magnification(), 1.0, 1e-9);
}

// The wheel zooms x2 a notch about the cursor, a middle drag moves the
// picture with the mouse: in the polyline view as in the endless one. The
// window is then all the pane shows: an export twice as wide shows the
// pane's picture in its middle.
TEST_F(EndlessSession, WheelAndMiddleDragMoveThePictureInBothViews)
{
    struct Row {
        bool endless;
        std::function<void()> gesture;
        double scale;
        Complex offset;
    };
    const Row rows[] = {
        {true, [&] { session.WheelFract(80, 50, 1); }, 2.0, {-80.5, -50.5}},
        {true, [&] { session.WheelFract(80, 50, -2); }, 0.25, {60.375, 37.875}},
        {false, [&] { session.WheelFract(80, 50, 1); }, 2.0, {-80.5, -50.5}},
        {true, [&] {
             session.PressFract(Qt::MiddleButton, 10, 10);
             session.MoveFract(15, 12);
             session.MoveFract(40, -5);
             session.ReleaseFract(Qt::MiddleButton, 40, -5);
         },
         1.0, {30, -15}},
        {false, [&] {
             session.PressFract(Qt::MiddleButton, 10, 10);
             session.MoveFract(40, -5);
             session.ReleaseFract(Qt::MiddleButton, 40, -5);
         },
         1.0, {30, -15}},
    };
    session.SetDepth(5);
    for (const Row& row : rows) {
        session.SetEndlessZoom(row.endless);
        session.FullView();
        const EndlessCamera before = session.Endless().Camera();
        row.gesture();
        CameraMove move;
        if (row.endless) {
            move = MoveBetween(before, session.Endless().Camera());
        } else {
            move.Scale = BigFloat(session.Viewer.Scale);
            move.Offset = BigComplex(session.Viewer.Offset, 64);
        }
        EXPECT_NEAR(move.Scale.ToDouble(), row.scale, 1e-9) << row.endless;
        EXPECT_NEAR(move.Offset.ToComplex().Re, row.offset.Re, 1e-6) << row.endless;
        EXPECT_NEAR(move.Offset.ToComplex().Im, row.offset.Im, 1e-6) << row.endless;
        const QImage wide = Drawn(ViewPlacement::FittedTo({0, 0, 2 * kPane.Right, kPane.Bottom}));
        EXPECT_EQ(wide.copy(kPane.Right / 2, 0, kPane.Right, kPane.Bottom), Picture()) << row.endless;
    }
    session.SetMode(modeZooming);
    const QImage zooming = Picture();
    session.WheelFract(80, 50, 1);
    EXPECT_EQ(Picture(), zooming) << "not while the timer runs";
}

// A notch zooms about the centre of the pixel under the cursor, so what lies
// there stays on that pixel however long the wheel turns.
TEST_F(EndlessSession, SixtyFourNotchesKeepThePointUnderTheCursorOnItsPixel)
{
    const Complex centre(200.5, 150.5);
    session.SetDepth(5);
    for (const bool endless : {false, true}) {
        session.SetEndlessZoom(endless);
        session.FullView();
        const BigComplex point = session.Endless().Camera().PointAt(BigComplex(centre, 64), 128);
        Complex polylinePoint = centre;
        for (int notch = 0; notch < 64; ++notch) {
            session.WheelFract(200, 150, 1);
            polylinePoint.Assign(Complex(session.Viewer.Scale * polylinePoint.Re + session.Viewer.Offset.Re,
                                         session.Viewer.Scale * polylinePoint.Im + session.Viewer.Offset.Im));
        }
        const Complex at = endless ? session.Endless().Camera().PixelOf(point) : polylinePoint;
        EXPECT_LT(std::hypot(at.Re - centre.Re, at.Im - centre.Im), 1.0) << endless;
    }
}

// Every output draws the view for its own pixels: as the pane shows it,
// fitted into a picture of the pane's size, scaled by one; a larger export
// draws more pieces.
TEST_F(EndlessSession, OutputsFollowTheView)
{
    // About the curve's start, which lies exactly at the origin.
    session.SetEndlessWindow(BigComplex(*ParseDecimal("-1e-34"), *ParseDecimal("-1e-34")),
                             BigComplex(*ParseDecimal("2e-34"), *ParseDecimal("1e-34")));
    EXPECT_GT(Magnification(), 1e30);
    const QImage shown = Picture();
    EXPECT_EQ(Drawn(ViewPlacement::AsShownIn(kPane)), shown);
    EXPECT_EQ(Drawn(ViewPlacement::FittedTo(kPane)), shown);
    EXPECT_EQ(Drawn(ViewPlacement::ScaledBy(1.0, kPane)), shown);
    const auto& trace = static_cast<const EndlessRenderer&>(session.Renderer()).LastTrace();
    const int paneSegments = trace.Segments();
    Drawn(ViewPlacement::FittedTo({0, 0, 1280, 800}));
    EXPECT_GT(trace.Segments(), 3 * paneSegments);
}

TEST_F(EndlessSession, ADiveKeepsItsPointAtItsPixel)
{
    // The curve's end, where the generator's doubles put it.
    const BigComplex point(session.Endless().Curve().End(), BigFloat::kMinBits);
    const Complex pixel = session.Endless().Camera().PixelOf(point);
    session.Dive(point, *ParseDecimal("1e100"), 50);
    for (int step = 0; step < 50; ++step) {
        session.Tick();
        EXPECT_NEAR(session.Endless().Camera().PixelOf(point).Re, pixel.Re, 1e-6);
    }
    EXPECT_NEAR(std::log10(Magnification()), 100, 1e-9);
}

} // namespace

namespace {

// Wheel notches and bands zoom no deeper than the endless view draws: the
// window stops there.
TEST_F(EndlessSession, ZoomsStopAtTheDeepestMagnification)
{
    session.ZoomAnimation = false;
    const BigFloat deepest = DeepestMagnification();
    const std::function<void()> zooms[] = {[&] { session.WheelFract(200, 150, 8); },
                                           [&] { session.ZoomToBand(Complex(200, 150), Complex(201, 151)); }};
    for (const auto& zoom : zooms) {
        session.SetEndlessWindow(BigComplex(*ParseDecimal("0"), *ParseDecimal("0")),
                                 BigComplex(*ParseDecimal("3e-990"), *ParseDecimal("1e-990")));
        for (int i = 0; i < 10; ++i) {
            zoom();
            session.FitToPane();
        }
        const BigFloat reached = session.EndlessMagnification();
        EXPECT_FALSE(deepest * BigFloat(1.001, kScaleBits) < reached);
        EXPECT_FALSE(reached < deepest * BigFloat(0.999, kScaleBits));
    }
}

} // namespace
