#include "view/generator_animation.h"

#include "model/fract_model.h"
#include "model/random_source.h"
#include "model/start_generator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class GeneratorAnimation : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeStartGenerator(generator);
        RandomSource::Instance().Seed(1234);
    }

    Complex Product() const
    {
        Complex p(1, 0);
        for (int i = 0; i < generator.Count; ++i)
            p.Mul(generator.Items[i]);
        return p;
    }

    double Length(int i) const { return std::sqrt(generator.Items[i].SqrAbs()); }
    double Angle(int i) const { return std::atan2(generator.Items[i].Im, generator.Items[i].Re); }

    FractModel generator{kGeneratorCapacity};
    FractModel angleSteps{kGeneratorCapacity};
    FractModel lengthTargets{kGeneratorCapacity};
};

// The turns leave every length alone and cancel out over the whole
// generator, so the curve's end stays where it is.
TEST_F(GeneratorAnimation, TurningKeepsLengthsAndTheLastEdge)
{
    const Complex product = Product();
    double lengths[4];
    for (int i = 0; i < 4; ++i)
        lengths[i] = Length(i);
    PrepareAngleSteps(generator, 60, RandomSource::Instance(), angleSteps);
    EXPECT_EQ(angleSteps.Count, 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(std::fabs(std::atan2(angleSteps.Items[i].Im, angleSteps.Items[i].Re)), 0.5 / 60 + 1e-15);
    for (int tick = 0; tick < 500; ++tick)
        TurnEdges(generator, angleSteps);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(Length(i), lengths[i], 1e-9) << i;
    EXPECT_NEAR(Product().Re, product.Re, 1e-9);
    EXPECT_NEAR(Product().Im, product.Im, 1e-9);
    EXPECT_NE(generator.Items[1].Re, 0.6) << "the edges turned";
}

// Targets lie halfway between the absolute length and the range, at rest;
// the springs then change lengths but no angle and not the curve's end.
TEST_F(GeneratorAnimation, SwingingNeverTurnsAndKeepsTheLastLength)
{
    double angles[4];
    for (int i = 0; i < 4; ++i)
        angles[i] = Angle(i);
    const double lastLength = std::sqrt(Product().SqrAbs());
    PrepareLengthTargets(generator, 0.5, 2.0, RandomSource::Instance(), lengthTargets);
    EXPECT_EQ(lengthTargets.Count, 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(lengthTargets.Items[i].Re, (0.5 + 1) / 2 - 1e-12);
        EXPECT_LE(lengthTargets.Items[i].Re, (2.0 + 1) / 2 + 1e-12);
        EXPECT_EQ(lengthTargets.Items[i].Im, 0) << "at rest";
    }
    for (int tick = 0; tick < 300; ++tick)
        SwingLengths(generator, lengthTargets, 60);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(Angle(i), angles[i], 1e-9) << i;
    EXPECT_NEAR(std::sqrt(Product().SqrAbs()), lastLength, 1e-9);
    EXPECT_NE(Length(0), 1.0) << "the first edge swings";
}

// A spring's velocity grows by its distance from the target over
// 16 x steps, in units of the target.
TEST_F(GeneratorAnimation, OneSwingFollowsTheSpringLaw)
{
    lengthTargets.Count = 4;
    lengthTargets.Items[0].SetTo(1.5, 0);
    lengthTargets.Items[1].SetTo(1, 0);
    lengthTargets.Items[2].SetTo(1, 0);
    const Complex first = generator.Items[0];
    SwingLengths(generator, lengthTargets, 10);
    const double velocity = (1.5 - 1.0) / 10 / 16 / 1.5;
    EXPECT_DOUBLE_EQ(lengthTargets.Items[0].Im, velocity);
    EXPECT_DOUBLE_EQ(generator.Items[0].Re, first.Re * (velocity + 1));
}

TEST_F(GeneratorAnimation, AnEmptyGeneratorGetsNoTurns)
{
    generator.Count = 0;
    angleSteps.Count = 3;
    PrepareAngleSteps(generator, 60, RandomSource::Instance(), angleSteps);
    EXPECT_EQ(angleSteps.Count, 3) << "nothing prepared";
}

} // namespace
