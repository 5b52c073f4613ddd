#pragma once

#include "model/edge_orientation.h"

#include <cstdint>
#include <vector>

class FractModel;

// Where a piece of the curve lies in the nesting of copies: the interval of
// the curve's length it covers, from 0 at the start to 1 at the end. The
// first-level edges share [0, 1) in proportion to their lengths, and every
// copy shares its interval among its edges the same way, in the order the
// walk meets them (a reversed copy meets its last edge first); so the places of all pieces of one depth follow one
// another along the curve, and a point's place is the same at every depth.
struct CurvePlace {
    double Start = 0.0;
    double Width = 1.0;
    // Levels below the whole curve: 1 for an edge of the generator itself.
    int Depth = 0;
    // The generator index of the edge at each of the last levels, four bits
    // each, the piece's own lowest.
    std::uint64_t Trail = 0;
    // How the piece's copy lies: a reversed one is walked from its end.
    EdgeOrientation Orientation = EdgeOrientation::Normal;

    double Middle() const { return Start + Width / 2; }
};

// The share of each generator edge in the copy it belongs to, and what
// follows from them.
class EdgeShares {
public:
    // The levels a place's trail holds.
    static constexpr int kTrailLevels = 16;

    void Update(const FractModel& generator);

    int Count() const { return static_cast<int>(share_.size()); }
    // The generator index of the walk-th edge the walk meets in a copy.
    int EdgeOf(EdgeOrientation copy, int walk) const { return IsReversed(copy) ? Count() - 1 - walk : walk; }
    // The piece the walk meets walk-th among the copies inside parent.
    CurvePlace Child(const CurvePlace& parent, int walk) const;
    // The generator index of the edge the piece's middle descends from at
    // level (1 for the generator's own edges): from the trail at or above
    // the piece's depth, from the shares below it. Levels deeper than the
    // trail holds take its oldest entry; 0 for a generator of no edges.
    int EdgeAt(const CurvePlace& place, int level) const;

private:
    std::vector<double> share_;
    // The sum of the shares before each edge.
    std::vector<double> before_;
    std::vector<EdgeOrientation> orientations_;
};
