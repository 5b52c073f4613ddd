#include "tests/session/session_fixture.h"
#include "view/generator_animation.h"

#include <QFile>

#include <cmath>

namespace {

class SessionAnimation : public SessionTest {
protected:
    Complex Product() const
    {
        Complex p(1, 0);
        for (int i = 0; i < session.Generator.Count; ++i)
            p.Mul(session.Generator.Items[i]);
        return p;
    }
};

TEST_F(SessionAnimation, ABoxStartsAtOnceAndTheLastBoxClearedStops)
{
    session.AnimateAngles(true);
    EXPECT_EQ(session.Mode(), modeAnimating);
    EXPECT_TRUE(session.Timer().isActive());
    EXPECT_FALSE(session.Paused());
    EXPECT_EQ(session.AngleSteps.Count, 4);
    session.AnimateLengths(true);
    session.AnimateAngles(false);
    EXPECT_EQ(session.Mode(), modeAnimating) << "the lengths still swing";
    session.AnimateLengths(false);
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_FALSE(session.Timer().isActive());
    EXPECT_TRUE(session.Paused());
}

// Each pass is tested on its own (generator_animation_test).
TEST_F(SessionAnimation, BothTurnBeforeTheyStretch)
{
    session.AnimateLengths(true);
    session.AnimateAngles(true);
    FractModel expected = session.Generator;
    FractModel targets = session.LengthTargets;
    TurnEdges(expected, session.AngleSteps);
    SwingLengths(expected, targets, 60);
    session.Tick();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(session.Generator.Items[i].Re, expected.Items[i].Re) << i;
        EXPECT_EQ(session.Generator.Items[i].Im, expected.Items[i].Im) << i;
    }
}

TEST_F(SessionAnimation, PauseStopsTheTimerAndKeepsTheVelocities)
{
    session.AnimateLengths(true);
    Ticks(20);
    const double velocity = session.LengthTargets.Items[0].Im;
    session.SetPaused(true);
    EXPECT_EQ(session.Mode(), modePaused);
    EXPECT_FALSE(session.Timer().isActive());
    session.SetPaused(false);
    EXPECT_EQ(session.Mode(), modeAnimating);
    EXPECT_EQ(session.LengthTargets.Items[0].Im, velocity);
}

TEST_F(SessionAnimation, AnInteractionPausesAndABoxCheckedThenWaitsForPause)
{
    session.AnimateAngles(true);
    session.PressFract(Qt::LeftButton, 20, 20);
    session.ReleaseFract(Qt::LeftButton, 20, 20);
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_TRUE(session.Paused());
    EXPECT_TRUE(session.AnimatingAngles());
    session.AnimateLengths(true);
    EXPECT_EQ(session.Mode(), modeIdle) << "prepared, waiting for Pause to clear";
    session.SetPaused(false);
    EXPECT_EQ(session.Mode(), modeAnimating);
}

TEST_F(SessionAnimation, ClearingPauseWithNoBoxAnimatesWithoutChange)
{
    session.SetMode(modePaused);
    session.SetPaused(false);
    EXPECT_EQ(session.Mode(), modeAnimating);
    Ticks(5);
    EXPECT_EQ(Edges(), (EdgeList{{1, 0}, {0.6, -0.8}, {-0.28, 0.96}, {0.6, -0.8}}));
}

TEST_F(SessionAnimation, ANewGeneratorWithOtherEdgesIsPreparedAfresh)
{
    session.AnimateLengths(true);
    session.AnimateAngles(true);
    session.MinNodes = session.MaxNodes = 7;
    session.New();
    ASSERT_EQ(session.Generator.Count, 7);
    session.SetPaused(false);
    Ticks(50);
    EXPECT_EQ(session.AngleSteps.Count, 7);
    EXPECT_EQ(session.LengthTargets.Count, 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(std::isfinite(session.Generator.Items[i].Re)) << i;
}

TEST_F(SessionAnimation, AnEmptyGeneratorDoesNotMove)
{
    session.Generator.Count = 0;
    session.AnimateAngles(true);
    session.AnimateLengths(true);
    Ticks(3);
    EXPECT_EQ(session.Generator.Count, 0);
    EXPECT_EQ(session.Viewer.PointCount, 1);
}

// Resident memory in MiB.
double ResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.value(1).toDouble() * 4096 / (1024 * 1024);
}

// The address sanitizer holds freed memory back, up to 256 MiB.
#if defined(__SANITIZE_ADDRESS__)
constexpr double kAllowedGrowthMiB = 384;
#else
constexpr double kAllowedGrowthMiB = 64;
#endif

// Not timed: a long run keeps its invariants and its memory. A leak of even
// a small picture per tick would show as gigabytes.
TEST_F(SessionAnimation, SoakTenThousandTicksAndTwoHundredZooms)
{
    session.SetDepth(5);
    session.AnimateAngles(true);
    const Complex product = Product();
    Ticks(500);
    const double residentBefore = ResidentMiB();
    Ticks(9500);
    EXPECT_LT(ResidentMiB() - residentBefore, kAllowedGrowthMiB);
    EXPECT_NEAR(Product().Re, product.Re, 1e-6);
    EXPECT_NEAR(Product().Im, product.Im, 1e-6);
    EXPECT_EQ(session.Viewer.PointCount, 1025);
    session.ZoomSteps = 3;
    for (int i = 0; i < 200; ++i) {
        session.SetMode(modeIdle);
        session.PressFract(Qt::LeftButton, 100, 100);
        session.ReleaseFract(Qt::LeftButton, 130, 120);
        TicksUntilIdle(5);
    }
    EXPECT_EQ(session.Viewer.Capacity(), 16384) << "nothing grew";
    EXPECT_EQ(session.Mode(), modeIdle);
}

} // namespace
