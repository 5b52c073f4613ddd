#include "tests/gui/window_fixture.h"

#include <cmath>

namespace {

class Zoom : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        tbDepth()->setValue(4);
    }

    void Band(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(ptbFract(), button, {}, from);
        QTest::mouseMove(ptbFract(), (from + to) / 2);
        QTest::mouseMove(ptbFract(), to);
        QTest::mouseRelease(ptbFract(), button, {}, to);
    }

    void RunTimerUntilIdle(int maxTicks = 1000)
    {
        for (int i = 0; i < maxTicks && session->Timer().isActive(); ++i)
            session->Tick();
    }

    std::pair<Complex, Complex> WindowCorners() const { return {*session->Viewer.WindowMin, *session->Viewer.WindowMax}; }
};

void ExpectNear(const Complex& a, const Complex& b, double tolerance)
{
    EXPECT_NEAR(a.Re, b.Re, tolerance);
    EXPECT_NEAR(a.Im, b.Im, tolerance);
}

TEST_F(Zoom, BandDirectionDoesNotMatter)
{
    session->ZoomAnimation = false;
    Band({40, 30}, {200, 150});
    const QImage forward = FractPicture();
    const auto corners = WindowCorners();
    session->FullView();
    Band({200, 150}, {40, 30});
    EXPECT_EQ(FractPicture(), forward);
    ExpectNear(WindowCorners().first, corners.first, 1e-9);
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_EQ(session->RubberBand(), PixelRect{});
}

TEST_F(Zoom, DiagonalsOfTenPixelsOrLessAreClicks)
{
    session->ZoomAnimation = false;
    const QImage full = FractPicture();
    Band({50, 50}, {56, 58});
    EXPECT_EQ(FractPicture(), full) << "6 by 8 is a diagonal of exactly 10";
    EXPECT_TRUE(session->Viewer.WindowIsBounds());
    EXPECT_EQ(session->Mode(), modeIdle);
    Band({50, 50}, {57, 58});
    EXPECT_FALSE(session->Viewer.WindowIsBounds()) << "7 by 8 zooms";
}

TEST_F(Zoom, TheBandIsDrawnDottedBlueWhileDragging)
{
    QTest::mousePress(ptbFract(), Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(ptbFract(), QPoint(130, 90));
    EXPECT_EQ(session->Mode(), modeRubberBand);
    const QImage picture = FractPicture();
    int blue = 0;
    for (int x = 30; x < 130; ++x)
        blue += picture.pixel(x, 30) == qRgb(0, 0, 255);
    EXPECT_GT(blue, 20);
    EXPECT_LT(blue, 90) << "dotted, not solid";
    QTest::mouseRelease(ptbFract(), Qt::LeftButton, {}, QPoint(130, 90));
}

TEST_F(Zoom, AnimatedZoomEndsWhereTheImmediateOneDoes)
{
    session->ZoomAnimation = false;
    Band({60, 40}, {180, 120});
    const auto immediate = WindowCorners();
    const QImage immediatePicture = FractPicture();

    session->FullView();
    session->ZoomAnimation = true;
    session->ZoomSteps = 60;
    Band({60, 40}, {180, 120});
    EXPECT_EQ(session->Mode(), modeZooming);
    EXPECT_TRUE(session->Timer().isActive());
    EXPECT_FALSE(chkPause()->isEnabled());
    int ticks = 0;
    while (session->Timer().isActive() && ticks < 200) {
        session->Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 61) << "N steps and one closing tick";
    EXPECT_EQ(session->Mode(), modeIdle);
    ExpectNear(WindowCorners().first, immediate.first, 1e-6);
    ExpectNear(WindowCorners().second, immediate.second, 1e-6);
    ptbFract()->repaint();
    EXPECT_EQ(FractPicture(), immediatePicture);
}

TEST_F(Zoom, OneStepZoomTakesOneStepAndAClosingTick)
{
    session->ZoomSteps = 1;
    Band({60, 40}, {180, 120});
    session->Tick();
    EXPECT_EQ(session->Mode(), modeZooming);
    session->Tick();
    EXPECT_EQ(session->Mode(), modeIdle);
}

TEST_F(Zoom, StepCountsBelowOneCountAsOne)
{
    session->ZoomSteps = 0;
    Band({60, 40}, {180, 120});
    EXPECT_EQ(session->ZoomStepsLeft(), 1);
    EXPECT_TRUE(std::isfinite(session->Viewer.Scale));
    RunTimerUntilIdle();
    EXPECT_EQ(session->Mode(), modeIdle);
}

TEST_F(Zoom, RepaintDuringTheAnimationShowsTheCurrentStep)
{
    Band({60, 40}, {180, 120});
    session->Tick();
    const auto afterOneStep = WindowCorners();
    ptbFract()->repaint();
    ExpectNear(WindowCorners().first, afterOneStep.first, 1e-12);
    EXPECT_EQ(session->ZoomStepsLeft(), 59);
}

TEST_F(Zoom, RightClickZoomsOutOnlyWhileTheTimerIsOff)
{
    Band({60, 40}, {180, 120});
    ASSERT_EQ(session->Mode(), modeZooming);
    QTest::mouseClick(ptbFract(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_FALSE(session->Viewer.WindowIsBounds()) << "ignored while zooming";
    RunTimerUntilIdle();

    QTest::mouseClick(ptbFract(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(session->Mode(), modeZooming);
    EXPECT_TRUE(session->Viewer.WindowIsBounds());
    RunTimerUntilIdle();
    session->FullView();
    const QImage full = FractPicture();
    QTest::mouseClick(ptbFract(), Qt::RightButton, {}, QPoint(10, 10));
    RunTimerUntilIdle();
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_EQ(FractPicture(), full) << "zooming out from the full view changes nothing";
}

TEST_F(Zoom, FullViewReturnsAtOnceWithoutAnimation)
{
    session->ZoomAnimation = false;
    const QImage full = FractPicture();
    Band({60, 40}, {180, 120});
    ASSERT_NE(FractPicture(), full);
    session->SetMode(modePaused);
    N1001()->trigger();
    EXPECT_EQ(FractPicture(), full);
    EXPECT_EQ(session->Mode(), modePaused) << "the mode stays";
}

TEST_F(Zoom, ManyZoomsIntoTheSamePlaceNeitherCrashNorHang)
{
    session->ZoomAnimation = false;
    tbDepth()->setValue(6);
    for (int i = 0; i < 200; ++i)
        Band({100, 100}, {108, 108});
    const QImage picture = FractPicture();
    int black = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            black += picture.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_LT(black, picture.width() * picture.height() / 2) << "no flood of stray lines";
}

} // namespace
