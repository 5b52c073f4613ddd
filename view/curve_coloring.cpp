#include "view/curve_coloring.h"

#include <algorithm>
#include <cmath>

namespace {

int Mix(ColorRef a, ColorRef b, int shift, double f)
{
    const int x = static_cast<int>(a >> shift & 0xFF);
    const int y = static_cast<int>(b >> shift & 0xFF);
    return static_cast<int>(std::lround(x + (y - x) * f));
}

} // namespace

ColorRef CurveColoring::GradientAt(double t) const
{
    if (Stops.empty())
        return kBlack;
    if (t <= Stops.front().Position)
        return Stops.front().Color;
    for (std::size_t i = 1; i < Stops.size(); ++i) {
        const GradientStop& a = Stops[i - 1];
        const GradientStop& b = Stops[i];
        if (t > b.Position)
            continue;
        const double span = b.Position - a.Position;
        const double f = span > 0 ? (t - a.Position) / span : 1.0;
        return RgbColor(Mix(a.Color, b.Color, 0, f), Mix(a.Color, b.Color, 8, f), Mix(a.Color, b.Color, 16, f));
    }
    return Stops.back().Color;
}

std::vector<GradientStop> CurveColoring::DefaultStops()
{
    return {{0.0, kBlack}, {1.0, kWhite}};
}

// Okabe and Ito's palette, with black last.
std::array<ColorRef, kEdgeColorCount> CurveColoring::DefaultEdgeColors()
{
    return {RgbColor(0xE6, 0x9F, 0x00), RgbColor(0x56, 0xB4, 0xE9), RgbColor(0x00, 0x9E, 0x73),
            RgbColor(0xF0, 0xE4, 0x42), RgbColor(0x00, 0x72, 0xB2), RgbColor(0xD5, 0x5E, 0x00),
            RgbColor(0xCC, 0x79, 0xA7), RgbColor(0x00, 0x00, 0x00)};
}

// The first and the last step are the gradient's ends themselves.
CurvePalette::CurvePalette(const CurveColoring& coloring)
{
    if (coloring.Kind == CurveColoring::Mode::Edges) {
        colors_.assign(coloring.EdgeColors.begin(), coloring.EdgeColors.end());
        return;
    }
    colors_.resize(kGradientSteps);
    for (int i = 0; i < kGradientSteps; ++i)
        colors_[static_cast<std::size_t>(i)] = coloring.GradientAt(static_cast<double>(i) / (kGradientSteps - 1));
}
