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

CurvePlace EdgeShares::Child(const CurvePlace& parent, int walk) const
{
    const auto k = static_cast<std::size_t>(walk);
    return {parent.Start + parent.Width * before_[k], parent.Width * share_[k], parent.Depth + 1,
            parent.Trail << kTrailBits | k};
}

int EdgeShares::EdgeAt(const CurvePlace& place, int level) const
{
    if (share_.empty())
        return 0;
    if (level <= place.Depth) {
        const int back = std::min(place.Depth - level, kTrailLevels - 1);
        return static_cast<int>(place.Trail >> (kTrailBits * back) & kTrailMask);
    }
    // The middle's share of the piece, followed down the copies.
    double at = 0.5;
    int edge = 0;
    for (int depth = place.Depth; depth < level; ++depth) {
        edge = 0;
        while (edge + 1 < Count() && at >= before_[static_cast<std::size_t>(edge) + 1])
            ++edge;
        at = share_[static_cast<std::size_t>(edge)] > 0
            ? (at - before_[static_cast<std::size_t>(edge)]) / share_[static_cast<std::size_t>(edge)]
            : 0.5;
    }
    return edge;
}
