#include "model/fract_model.h"
#include "model/random_source.h"
#include "model/start_generator.h"
#include "model/text_lines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double Length(const Complex& z)
{
    return std::sqrt(z.SqrAbs());
}

TEST(FractModel, NewModelHoldsOneStraightEdge)
{
    FractModel model(10);
    EXPECT_EQ(model.Count, 1);
    EXPECT_EQ(model.Items[0].Re, 1);
    EXPECT_EQ(model.Items[0].Im, 0);
    EXPECT_EQ(FractModel(2).Count, 0);
}

TEST(FractModel, AddEdgeStopsTwoShortOfTheCapacity)
{
    FractModel model(10);
    for (int i = 0; i < 20; ++i)
        model.AddEdge();
    EXPECT_EQ(model.Count, 8);
    EXPECT_EQ(model.Items[7].Re, 1);
}

TEST(FractModel, DeleteEdgeHandsItsLengthOn)
{
    FractModel model(10);
    MakeStartGenerator(model);
    model.DeleteEdge();
    EXPECT_EQ(model.Count, 3);
    EXPECT_DOUBLE_EQ(model.Items[2].Re, -0.28);
    EXPECT_DOUBLE_EQ(model.Items[2].Im, 0.96);
    EXPECT_EQ(model.Items[3].Re, 0.6); // the removed slot keeps its value

    model.Items[3].SetTo(0, 2);
    model.Count = 4;
    model.DeleteEdge();
    EXPECT_DOUBLE_EQ(model.Items[2].Re, -0.56);
    EXPECT_DOUBLE_EQ(model.Items[2].Im, 1.92);

    FractModel single(10);
    single.Items[0].SetTo(0.5, 0.5);
    for (int i = 0; i < 3; ++i)
        single.DeleteEdge();
    EXPECT_EQ(single.Count, 1);
    EXPECT_EQ(single.Items[0].Re, 0.5);
}

TEST(FractModel, SavesTwoLinesPerEdge)
{
    FractModel model(10);
    MakeStartGenerator(model);
    std::string text;
    model.SaveToText(text, '.');
    EXPECT_EQ(text, "1\r\n0\r\n0.6\r\n-0.8\r\n-0.28\r\n0.96\r\n0.6\r\n-0.8\r\n");
    text.clear();
    model.SaveToText(text, ',');
    EXPECT_EQ(text, "1\r\n0\r\n0,6\r\n-0,8\r\n-0,28\r\n0,96\r\n0,6\r\n-0,8\r\n");
}

TEST(FractModel, LoadKeepsWhatWasReadBeforeABadLine)
{
    FractModel model(10);
    TextLineReader odd("1\r\n0\r\n0,6\r\n");
    EXPECT_THROW(model.LoadFromText(odd), FractFormatError);
    EXPECT_EQ(model.Count, 1);
    EXPECT_EQ(model.Items[1].Re, 0.6);

    TextLineReader trailingBlank("1\n0\n\n");
    EXPECT_THROW(model.LoadFromText(trailingBlank), FractFormatError);
    EXPECT_EQ(model.Count, 1);

    TextLineReader strayCarriageReturn("0,5\r\r\n2\x1A garbage");
    model.LoadFromText(strayCarriageReturn);
    EXPECT_EQ(model.Count, 1);
    EXPECT_EQ(model.Items[0].Re, 0.5);
    EXPECT_EQ(model.Items[0].Im, 2);

    TextLineReader empty("");
    model.LoadFromText(empty);
    EXPECT_EQ(model.Count, 0);
}

TEST(FractModel, NeverReadsPastTheLastSlot)
{
    std::string text;
    for (int i = 0; i < 11; ++i)
        text += "1\n0\n";
    FractModel model(10);
    TextLineReader reader(text);
    EXPECT_THROW(model.LoadFromText(reader), FractFormatError);
    EXPECT_EQ(model.Count, 10);
}

TEST(FractModel, RandomGeneratorKeepsTheLastEdgeAtUnitLength)
{
    RandomSource::Instance().Seed(7);
    FractModel model(10);
    for (int i = 0; i < 10; ++i)
        model.Items[i].SetTo(42, 42);
    model.RandomGenerator(3, 1, 2, RandomSource::Instance());
    EXPECT_EQ(model.Count, 3);
    EXPECT_GE(Length(model.Items[0]), 1);
    EXPECT_LE(Length(model.Items[0]), 2);
    double product = 1;
    double absolute = 1;
    for (int i = 0; i < 3; ++i) {
        product *= Length(model.Items[i]);
        absolute *= Length(model.Items[i]);
        if (i < 2) {
            EXPECT_GE(absolute, 1 - 1e-12);
            EXPECT_LE(absolute, 2 + 1e-12);
        }
    }
    EXPECT_NEAR(product, 1, 1e-12);
    EXPECT_EQ(model.Items[3].Re, 42);
}

TEST(FractModel, RandomGeneratorDrawsTheAngleFirst)
{
    RandomSource::Instance().Seed(11);
    const double angle = RandomSource::Instance().Next() * M_PI * 2;
    const double length = 0.5 + RandomSource::Instance().Next() * 1.5;
    RandomSource::Instance().Seed(11);
    FractModel model(10);
    model.RandomGenerator(2, 0.5, 2, RandomSource::Instance());
    EXPECT_DOUBLE_EQ(model.Items[0].Re, std::cos(angle) * length);
    EXPECT_DOUBLE_EQ(model.Items[0].Im, std::sin(angle) * length);
}

TEST(FractModel, NineRandomEdgesRefuseAnotherUntilTwoAreGone)
{
    FractModel model(10);
    model.RandomGenerator(9, 0.5, 2, RandomSource::Instance());
    model.AddEdge();
    EXPECT_EQ(model.Count, 9);
    model.DeleteEdge();
    model.AddEdge();
    EXPECT_EQ(model.Count, 8) << "eight edges are the limit";
    model.DeleteEdge();
    model.AddEdge();
    EXPECT_EQ(model.Count, 8);
    model.DeleteEdge();
    model.DeleteEdge();
    model.AddEdge();
    EXPECT_EQ(model.Count, 7);
}

} // namespace
