#include "view/segment_colors.h"

#include "model/fract_model.h"
#include "view/fract_viewer.h"

#include <algorithm>

SegmentColors::SegmentColors(const CurveColoring& coloring, int level)
    : edges_(coloring.Kind == CurveColoring::Mode::Edges), repeats_(std::max(coloring.Repeats, 1)), level_(level)
{
}

namespace {

// A piece's middle lies within its parents' intervals but for the
// rounding of the shares' sums down the copies, far below this.
constexpr double kPlaceRounding = 1e-12;

} // namespace

// The gradient's step grows with the place (the repeat first), so one step
// at both ends of the interval, widened by the rounding, is the step of
// every middle inside. An edge colour is settled once the piece is at the
// edge level, as long as the trail still holds that level at the bottom.
int SegmentColors::SameIndexWithin(const EdgeShares& shares, const CurvePlace& place, int levels) const
{
    if (edges_) {
        const bool settled = place.Depth >= level_ && place.Depth + levels - level_ < EdgeShares::kTrailLevels;
        return settled ? IndexOf(shares, place) : -1;
    }
    const GradientStep first = Step(place.Start - kPlaceRounding);
    const GradientStep last = Step(place.Start + place.Width + kPlaceRounding);
    return first.Repeat == last.Repeat && first.Index == last.Index ? first.Index : -1;
}

namespace {

// Depth first over the copies, in the order of the expansion, until the
// points run out.
class PolylineWalk {
public:
    PolylineWalk(const EdgeShares& shares, const SegmentColors& colors, std::uint8_t* out, int segments)
        : shares_(shares), colors_(colors), out_(out), segments_(segments)
    {
    }

    void Walk(const CurvePlace& place, int levels)
    {
        if (levels == 0) {
            out_[++done_] = colors_.IndexOf(shares_, place);
            return;
        }
        // Most copies lie within one colour: they are filled at once.
        const int same = colors_.SameIndexWithin(shares_, place, levels);
        if (same >= 0) {
            const int pieces = Pieces(levels);
            std::fill_n(out_ + done_ + 1, pieces, static_cast<std::uint8_t>(same));
            done_ += pieces;
            return;
        }
        for (int walk = 0; walk < shares_.Count() && done_ < segments_; ++walk)
            Walk(shares_.Child(place, walk), levels - 1);
    }

private:
    // The pieces of a copy levels above them that the points still hold.
    int Pieces(int levels) const
    {
        const int left = segments_ - done_;
        long long pieces = 1;
        for (int i = 0; i < levels && pieces < left; ++i)
            pieces *= shares_.Count();
        return static_cast<int>(std::min<long long>(pieces, left));
    }

    const EdgeShares& shares_;
    const SegmentColors& colors_;
    std::uint8_t* out_;
    int segments_;
    int done_ = 0;
};

} // namespace

void ColorPolyline(const FractModel& generator, int depth, int count, const CurveColoring& coloring,
                   std::vector<std::uint8_t>& colors)
{
    colors.assign(static_cast<std::size_t>(std::max(count, 1)), 0);
    if (count < 2)
        return;
    EdgeShares shares;
    shares.Update(generator);
    const SegmentColors segmentColors(coloring, coloring.EdgeLevel);
    PolylineWalk(shares, segmentColors, colors.data(), count - 1).Walk(CurvePlace{}, std::clamp(depth, 0, FractViewer::kMaxLevels));
    colors[0] = colors[1];
}
