#include "output/print/paper_style.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

auto Fields(const CurveStyle& s)
{
    return std::tuple(s.Background, s.Foreground, s.PenWidth, s.Shape, s.DotRadius, s.Antialiased);
}

// Without the background the paper stays white and only a white curve
// changes, to black; points become dots ten printer pixels across in either
// case.
TEST(PaperStyle, TheBackgroundAnswerDecidesThePaperAndTheCurvesColour)
{
    using Marks = CurveStyle::Marks;
    const ColorRef blue = RgbColor(0, 0, 255);
    const ColorRef yellow = RgbColor(255, 255, 0);
    const struct {
        CurveStyle pane;
        bool background;
        CurveStyle paper;
    } rows[] = {
        {{kWhite, kBlack, 1, Marks::Lines, 0}, false, {kWhite, kBlack, 1, Marks::Lines, 0}},
        {{kBlack, kWhite, 3, Marks::Lines, 0}, false, {kWhite, kBlack, 3, Marks::Lines, 0}},
        {{kBlack, yellow, 1, Marks::Lines, 0}, false, {kWhite, yellow, 1, Marks::Lines, 0}},
        {{blue, kWhite, 2, Marks::Lines, 0}, true, {blue, kWhite, 2, Marks::Lines, 0}},
        {{kBlack, kWhite, 1, Marks::Pixels, 0}, false, {kWhite, kBlack, 1, Marks::Dots, 5}},
        {{blue, yellow, 1, Marks::Pixels, 0}, true, {blue, yellow, 1, Marks::Dots, 5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.pane.Background << " " << row.pane.Foreground << " "
                                        << row.background);
        EXPECT_EQ(Fields(PaperStyle(row.pane, row.background)), Fields(row.paper));
    }
}

} // namespace
