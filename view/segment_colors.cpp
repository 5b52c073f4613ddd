#include "view/segment_colors.h"

#include "model/fract_model.h"
#include "view/fract_viewer.h"

#include <algorithm>

SegmentColors::SegmentColors(const CurveColoring& coloring, int level)
    : edges_(coloring.Kind == CurveColoring::Mode::Edges), repeats_(std::max(coloring.Repeats, 1)), level_(level)
{
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
        for (int walk = 0; walk < shares_.Count() && done_ < segments_; ++walk)
            Walk(shares_.Child(place, walk), levels - 1);
    }

private:
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
