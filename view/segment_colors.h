#pragma once

#include "view/curve_coloring.h"
#include "view/curve_places.h"

#include <cstdint>
#include <vector>

class FractModel;

// A piece's colour, as an index into the coloring's CurvePalette, from its
// place alone: the gradient's step at its middle, or the colour of the edge
// its middle descends from at the edge level. Pure, so that pieces may be
// coloured in any order and on any thread.
class SegmentColors {
public:
    // level: the edge level "Nach Kante" colours by, counted from the
    // generator's own edges (1).
    SegmentColors(const CurveColoring& coloring, int level);

    std::uint8_t IndexOf(const EdgeShares& shares, const CurvePlace& place) const
    {
        if (edges_)
            return static_cast<std::uint8_t>(shares.EdgeAt(place, level_) % kEdgeColorCount);
        const double turns = place.Middle() * repeats_;
        const auto step = static_cast<int>((turns - static_cast<double>(static_cast<long long>(turns))) * kGradientSteps);
        return static_cast<std::uint8_t>(step < 0 ? 0 : step >= kGradientSteps ? kGradientSteps - 1 : step);
    }

private:
    bool edges_;
    int repeats_;
    int level_;
};

// One colour index per point of the generator's polyline at depth, as the
// viewer expands it into count points: index j colours the segment that
// ends at point j, index 0 that which starts at the curve's start.
void ColorPolyline(const FractModel& generator, int depth, int count, const CurveColoring& coloring,
                   std::vector<std::uint8_t>& colors);
