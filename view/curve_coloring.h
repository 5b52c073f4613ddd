#pragma once

#include "view/color_ref.h"

#include <array>
#include <vector>

// Gradients hold this many stops at least and at most.
constexpr int kMinGradientStops = 2;
constexpr int kMaxGradientStops = 8;
// How often a gradient may repeat along the curve.
constexpr int kMaxGradientRepeats = 64;
// Colours by edge: one per generator edge, edges beyond them taking them
// again from the first.
constexpr int kEdgeColorCount = 8;
// The levels below the generator whose edges "Nach Kante" may colour by.
constexpr int kMaxEdgeLevel = 3;
// A gradient is drawn in this many steps, so that a vector document joins
// the segments of one step into one path and stays small.
constexpr int kGradientSteps = 256;

struct GradientStop {
    // From 0 (the curve's start) to 1 (its end).
    double Position = 0.0;
    ColorRef Color = kBlack;

    friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

// How the curve takes its colours: in the one foreground colour, along a
// gradient by its place on the curve, or by the generator edge it descends
// from. The gradient and the edge colours are kept whichever is chosen.
struct CurveColoring {
    enum class Mode { Single, Gradient, Edges };

    Mode Kind = Mode::Single;
    // Sorted by position.
    std::vector<GradientStop> Stops = DefaultStops();
    int Repeats = 1;
    std::array<ColorRef, kEdgeColorCount> EdgeColors = DefaultEdgeColors();
    int EdgeLevel = 1;

    bool Colored() const { return Kind != Mode::Single; }
    // The colour at t in [0, 1], between the stops about it.
    ColorRef GradientAt(double t) const;

    // Black to white.
    static std::vector<GradientStop> DefaultStops();
    // Eight colours a reader with any common colour blindness tells apart.
    static std::array<ColorRef, kEdgeColorCount> DefaultEdgeColors();

    friend bool operator==(const CurveColoring&, const CurveColoring&) = default;
};

// The colours a coloured curve is drawn in, looked up by a segment's colour
// index: the gradient's steps, or the edge colours.
class CurvePalette {
public:
    explicit CurvePalette(const CurveColoring& coloring);

    ColorRef operator[](int index) const { return colors_[static_cast<std::size_t>(index)]; }
    int Size() const { return static_cast<int>(colors_.size()); }

private:
    std::vector<ColorRef> colors_;
};
