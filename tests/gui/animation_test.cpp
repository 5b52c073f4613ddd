#include "tests/gui/window_fixture.h"

#include <cmath>

namespace {

class Animation : public WindowTest {
protected:
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            session->Tick();
    }

    Complex Product() const
    {
        Complex p(1, 0);
        for (int i = 0; i < session->Generator.Count; ++i)
            p.Mul(session->Generator.Items[i]);
        return p;
    }

    double ItemLength(int i) const { return std::sqrt(session->Generator.Items[i].SqrAbs()); }
    double ItemAngle(int i) const
    {
        return std::atan2(session->Generator.Items[i].Im, session->Generator.Items[i].Re);
    }
};

TEST_F(Animation, CheckingABoxStartsAtOnce)
{
    QTest::mouseClick(chkAnimAng(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modeAnimating);
    EXPECT_TRUE(session->Timer().isActive());
    EXPECT_FALSE(chkPause()->isChecked());
    EXPECT_EQ(session->AngleSteps.Count, 4);
    QTest::mouseClick(chkAnimAng(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_TRUE(chkPause()->isChecked());
}

TEST_F(Animation, BothTurnBeforeTheyStretch)
{
    chkAnimLen()->setChecked(true);
    chkAnimAng()->setChecked(true);
    FractModel expected(10);
    expected.Count = 4;
    for (int i = 0; i < 4; ++i) {
        expected.Items[i] = session->Generator.Items[i];
        expected.Items[i].Mul(session->AngleSteps.Items[i]);
    }
    double p = 1;
    for (int i = 0; i < 3; ++i) {
        p *= std::sqrt(expected.Items[i].SqrAbs());
        const Complex& t = session->LengthTargets.Items[i];
        const double v = t.Im + ((t.Re - p) / 60 / 16) / t.Re;
        const double f = v / p + 1;
        expected.Items[i].MulReal(f);
        expected.Items[i + 1].DivReal(f);
    }
    Ticks(1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(session->Generator.Items[i].Re, expected.Items[i].Re) << i;
        EXPECT_DOUBLE_EQ(session->Generator.Items[i].Im, expected.Items[i].Im) << i;
    }
}

TEST_F(Animation, PauseKeepsTheVelocities)
{
    chkAnimLen()->setChecked(true);
    Ticks(20);
    const double velocity = session->LengthTargets.Items[0].Im;
    QTest::mouseClick(chkPause(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modePaused);
    EXPECT_FALSE(session->Timer().isActive());
    QTest::mouseClick(chkPause(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modeAnimating);
    EXPECT_EQ(session->LengthTargets.Items[0].Im, velocity);
}

TEST_F(Animation, AnInteractionPausesAndABoxCheckedThenWaits)
{
    chkAnimAng()->setChecked(true);
    QTest::mousePress(ptbFract(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(ptbFract(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_TRUE(chkPause()->isChecked());
    EXPECT_TRUE(chkAnimAng()->isChecked());
    chkAnimLen()->setChecked(true);
    EXPECT_EQ(session->Mode(), modeIdle) << "prepared, waiting for Pause to clear";
    QTest::mouseClick(chkPause(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modeAnimating);
}

TEST_F(Animation, ClearingPauseWithNoBoxAnimatesWithoutChange)
{
    session->SetMode(modePaused);
    QTest::mouseClick(chkPause(), Qt::LeftButton);
    EXPECT_EQ(session->Mode(), modeAnimating);
    Ticks(5);
    EXPECT_EQ(session->Generator.Items[1].Re, 0.6);
}

TEST_F(Animation, ANewGeneratorWithOtherEdgesIsPreparedAfresh)
{
    chkAnimLen()->setChecked(true);
    chkAnimAng()->setChecked(true);
    session->MinNodes = session->MaxNodes = 7;
    session->New();
    ASSERT_EQ(session->Generator.Count, 7);
    QTest::mouseClick(chkPause(), Qt::LeftButton);
    Ticks(50);
    EXPECT_EQ(session->AngleSteps.Count, 7);
    EXPECT_EQ(session->LengthTargets.Count, 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(std::isfinite(session->Generator.Items[i].Re)) << i;
}

TEST_F(Animation, AnEmptyGeneratorDoesNotMove)
{
    session->Generator.Count = 0;
    chkAnimAng()->setChecked(true);
    chkAnimLen()->setChecked(true);
    Ticks(3);
    EXPECT_EQ(session->Generator.Count, 0);
    EXPECT_EQ(session->Viewer.PointCount, 1);
}

TEST_F(Animation, TheTimerTakesTheIntervalSetting)
{
    EXPECT_EQ(session->Timer().interval(), 15);
    EXPECT_EQ(session->Timer().timerType(), Qt::PreciseTimer);
    chkAnimAng()->setChecked(true);
    QTest::qWait(200);
    EXPECT_NE(session->Generator.Items[1].Re, 0.6) << "the real timer ticks";
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
TEST_F(Animation, SoakTenThousandTicksAndTwoHundredZooms)
{
    tbDepth()->setValue(5);
    chkAnimAng()->setChecked(true);
    const Complex product = Product();
    Ticks(500);
    const double residentBefore = ResidentMiB();
    Ticks(9500);
    EXPECT_LT(ResidentMiB() - residentBefore, kAllowedGrowthMiB);
    EXPECT_NEAR(Product().Re, product.Re, 1e-6);
    EXPECT_NEAR(Product().Im, product.Im, 1e-6);
    EXPECT_EQ(session->Viewer.PointCount, 1025);
    session->ZoomSteps = 3;
    for (int i = 0; i < 200; ++i) {
        session->SetMode(modeIdle);
        QTest::mousePress(ptbFract(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(ptbFract(), Qt::LeftButton, {}, QPoint(130, 120));
        for (int t = 0; t < 5 && session->Timer().isActive(); ++t)
            session->Tick();
    }
    EXPECT_EQ(session->Viewer.Capacity(), 16384) << "nothing grew";
    EXPECT_EQ(session->Mode(), modeIdle);
}

} // namespace
