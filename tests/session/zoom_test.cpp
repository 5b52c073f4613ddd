#include "tests/session/session_fixture.h"
#include "tests/support/picture_compare.h"

#include <cmath>

namespace {

class SessionZoom : public SessionTest {
protected:
    SessionZoom() { session.SetDepth(4); }

    std::pair<Complex, Complex> Corners() const { return {*session.Viewer.WindowMin, *session.Viewer.WindowMax}; }

    static void ExpectNear(const std::pair<Complex, Complex>& a, const std::pair<Complex, Complex>& b, double tolerance)
    {
        EXPECT_NEAR(a.first.Re, b.first.Re, tolerance);
        EXPECT_NEAR(a.first.Im, b.first.Im, tolerance);
        EXPECT_NEAR(a.second.Re, b.second.Re, tolerance);
        EXPECT_NEAR(a.second.Im, b.second.Im, tolerance);
    }
};

TEST_F(SessionZoom, TheBandsDirectionDoesNotMatter)
{
    session.ZoomAnimation = false;
    Band({40, 30}, {200, 150});
    const QImage forward = Picture();
    const auto corners = Corners();
    session.FullView();
    Band({200, 150}, {40, 30});
    EXPECT_EQ(Picture(), forward);
    ExpectNear(Corners(), corners, 1e-9);
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_EQ(session.RubberBand(), PixelRect{});
}

TEST_F(SessionZoom, DiagonalsOfTenPixelsOrLessAreClicks)
{
    session.ZoomAnimation = false;
    const QImage full = Picture();
    Band({50, 50}, {56, 58});
    EXPECT_EQ(Picture(), full) << "6 by 8 is a diagonal of exactly 10";
    EXPECT_TRUE(session.Viewer.WindowIsBounds());
    EXPECT_EQ(session.Mode(), modeIdle);
    Band({50, 50}, {57, 58});
    EXPECT_FALSE(session.Viewer.WindowIsBounds()) << "7 by 8 zooms";
}

TEST_F(SessionZoom, TheBandIsDrawnDottedBlueWhileDragging)
{
    session.PressFract(Qt::LeftButton, 30, 30);
    session.MoveFract(130, 90);
    EXPECT_EQ(session.Mode(), modeRubberBand);
    EXPECT_EQ(session.RubberBand(), (PixelRect{30, 30, 130, 90}));
    int blue = 0;
    for (int x = 30; x < 130; ++x)
        blue += Picture().pixel(x, 30) == qRgb(0, 0, 255);
    EXPECT_GT(blue, 20);
    EXPECT_LT(blue, 90) << "dotted, not solid";
}

// N steps and one closing tick, ending where the immediate zoom does;
// step counts below one count as one.
TEST_F(SessionZoom, AnAnimatedZoomTakesItsStepsAndEndsWhereTheImmediateOneDoes)
{
    session.ZoomAnimation = false;
    Band({60, 40}, {180, 120});
    const auto immediate = Corners();
    const QImage immediatePicture = Picture();
    session.ZoomAnimation = true;
    for (const auto& [steps, ticks] : {std::pair(60, 61), std::pair(3, 4), std::pair(1, 2), std::pair(0, 2)}) {
        SCOPED_TRACE(steps);
        session.FullView();
        session.ZoomSteps = steps;
        Band({60, 40}, {180, 120});
        EXPECT_EQ(session.Mode(), modeZooming);
        EXPECT_EQ(session.ZoomStepsLeft(), std::max(steps, 1));
        EXPECT_TRUE(std::isfinite(session.Viewer.Scale));
        EXPECT_EQ(TicksUntilIdle(), ticks);
        EXPECT_EQ(session.Mode(), modeIdle);
        ExpectNear(Corners(), immediate, 1e-6);
        pane.Paint();
        EXPECT_EQ(Picture(), immediatePicture);
    }
}

// A paint during the zoom shows the step as it stands, without a fit.
TEST_F(SessionZoom, EachTickShowsOneStepOfTheZoom)
{
    const QImage full = Picture();
    session.ZoomAnimation = false;
    Band({60, 40}, {180, 120});
    const QImage target = Picture();
    session.FullView();
    session.ZoomAnimation = true;
    Band({60, 40}, {180, 120});
    session.Tick();
    const QImage oneStep = Picture();
    EXPECT_NE(oneStep, full);
    EXPECT_NE(oneStep, target);
    pane.Paint();
    EXPECT_EQ(Picture(), oneStep);
    EXPECT_EQ(session.ZoomStepsLeft(), 59);
}

TEST_F(SessionZoom, ARightClickZoomsOutOnlyWhileTheTimerIsOff)
{
    Band({60, 40}, {180, 120});
    ASSERT_EQ(session.Mode(), modeZooming);
    RightClick();
    EXPECT_FALSE(session.Viewer.WindowIsBounds()) << "ignored while zooming";
    TicksUntilIdle();

    RightClick();
    EXPECT_EQ(session.Mode(), modeZooming);
    EXPECT_TRUE(session.Viewer.WindowIsBounds());
    TicksUntilIdle();
    session.FullView();
    const QImage full = Picture();
    RightClick();
    TicksUntilIdle();
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_EQ(Picture(), full) << "zooming out from the full view changes nothing";
}

TEST_F(SessionZoom, FullViewReturnsAtOnceWithoutAnimationAndKeepsTheMode)
{
    session.ZoomAnimation = false;
    const QImage full = Picture();
    Band({60, 40}, {180, 120});
    ASSERT_NE(Picture(), full);
    session.SetMode(modePaused);
    session.FullView();
    EXPECT_EQ(Picture(), full);
    EXPECT_EQ(session.Mode(), modePaused);
}

// Far beyond where the view test zooms (fract_viewer_test), the points
// outgrow every integer.
TEST_F(SessionZoom, ManyZoomsIntoTheSamePlaceNeitherCrashNorHang)
{
    session.ZoomAnimation = false;
    session.SetDepth(6);
    for (int i = 0; i < 200; ++i)
        Band({100, 100}, {108, 108});
    EXPECT_LT(PixelsOf(Picture(), qRgb(0, 0, 0)), Picture().width() * Picture().height() / 2)
        << "no flood of stray lines";
}

} // namespace
