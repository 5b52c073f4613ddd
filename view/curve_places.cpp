#include "view/curve_places.h"

#include "model/fract_model.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTrailBits = 4;
constexpr std::uint64_t kTrailMask = (1u << kTrailBits) - 1;
static_assert(kGeneratorCapacity <= 1 << kTrailBits, "a trail entry holds every edge index");

} // namespace

// Edges of no length share nothing; a generator all of whose edges have no
// length shares equally, so that every piece still has a place.
void EdgeShares::Update(const FractModel& generator)
{
    const auto n = static_cast<std::size_t>(std::max(generator.Count, 0));
    share_.assign(n, 0.0);
    before_.assign(n, 0.0);
    orientations_.assign(generator.Orientations.begin(), generator.Orientations.begin() + static_cast<std::ptrdiff_t>(n));
    Complex edge(1, 0);
    double total = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        edge.Mul(generator.Items[k]);
        share_[k] = std::hypot(edge.Re, edge.Im);
        total += share_[k];
    }
    double sum = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        share_[k] = std::isfinite(total) && total > 0 ? share_[k] / total : 1.0 / static_cast<double>(n);
        before_[k] = sum;
        sum += share_[k];
    }
}

// A reversed copy lays edge k on the share of the copy that ends where the
// shares before it begin.
CurvePlace EdgeShares::Child(const CurvePlace& parent, int walk) const
{
    const auto k = static_cast<std::size_t>(EdgeOf(parent.Orientation, walk));
    const double offset = IsReversed(parent.Orientation) ? 1.0 - before_[k] - share_[k] : before_[k];
    return {parent.Start + parent.Width * offset, parent.Width * share_[k], parent.Depth + 1,
            parent.Trail << kTrailBits | k, Compose(parent.Orientation, orientations_[k])};
}

int EdgeShares::EdgeAt(const CurvePlace& place, int level) const
{
    if (share_.empty())
        return 0;
    if (level <= place.Depth) {
        const int back = std::min(place.Depth - level, kTrailLevels - 1);
        return static_cast<int>(place.Trail >> (kTrailBits * back) & kTrailMask);
    }
    // The middle's share of the piece, followed down the copies in the
    // order they are walked.
    CurvePlace piece{0.0, 1.0, place.Depth, place.Trail, place.Orientation};
    const double at = 0.5;
    while (piece.Depth < level) {
        int walk = 0;
        CurvePlace child = Child(piece, walk);
        while (walk + 1 < Count() && at >= child.Start + child.Width)
            child = Child(piece, ++walk);
        piece = child;
    }
    return static_cast<int>(piece.Trail & kTrailMask);
}
