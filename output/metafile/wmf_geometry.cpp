#include "output/metafile/wmf_geometry.h"

#include "view/line_raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kLow = std::numeric_limits<std::int16_t>::min();
constexpr int kHigh = std::numeric_limits<std::int16_t>::max();

bool InRange(int v)
{
    return v >= kLow && v <= kHigh;
}

struct Segment {
    QPoint Start;
    QPoint End;
    bool EndCut = false;
};

std::optional<Segment> ClipToRange(QPoint a, QPoint b)
{
    if (InRange(a.x()) && InRange(a.y()) && InRange(b.x()) && InRange(b.y()))
        return Segment{a, b, false};
    double x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    if (!ClipSegment(x0, y0, x1, y1, kLow, kHigh))
        return std::nullopt;
    auto at = [](double x, double y) { return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))); };
    return Segment{at(x0, y0), at(x1, y1), x1 != b.x() || y1 != b.y()};
}

class RunCollector {
public:
    void Add(const Segment& s)
    {
        if (run_.empty() || run_.back() != s.Start) {
            Finish();
            run_.push_back(s.Start);
        }
        run_.push_back(s.End);
        if (s.EndCut)
            Finish();
        else if (run_.size() == std::size_t{WmfGeometry::kMaxPolylinePoints}) {
            Finish();
            run_.push_back(s.End);
        }
    }

    void Finish()
    {
        if (run_.size() > 1)
            runs_.push_back(std::move(run_));
        run_.clear();
    }

    std::vector<std::vector<QPoint>> Take()
    {
        Finish();
        return std::move(runs_);
    }

private:
    std::vector<QPoint> run_;
    std::vector<std::vector<QPoint>> runs_;
};

} // namespace

WmfGeometry::WmfGeometry(QSize picture)
    : picture_(picture),
      divisor_(static_cast<int>(std::max<std::int64_t>(1, (std::int64_t{std::max(picture.width(), picture.height())} + kHigh - 1) / kHigh)))
{
}

QSize WmfGeometry::WindowExtent() const
{
    auto cells = [this](int pixels) { return static_cast<int>((std::int64_t{pixels} + divisor_ - 1) / divisor_); };
    return {cells(picture_.width()), cells(picture_.height())};
}

int WmfGeometry::PenWidth(int width) const
{
    return std::clamp((width + divisor_ / 2) / divisor_, 1, kHigh);
}

std::optional<QPoint> WmfGeometry::Pixel(QPoint p) const
{
    const QPoint scaled(Scaled(p.x()), Scaled(p.y()));
    if (!InRange(scaled.x()) || !InRange(scaled.y()))
        return std::nullopt;
    return scaled;
}

GdiBox WmfGeometry::Box(const GdiBox& box) const
{
    auto clamp = [this](int v) { return std::clamp(Scaled(v), kLow, kHigh); };
    return {clamp(box.Left), clamp(box.Top), clamp(box.Right), clamp(box.Bottom)};
}

std::vector<std::vector<QPoint>> WmfGeometry::PolylineRuns(const std::vector<QPoint>& points) const
{
    RunCollector runs;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPoint a(Scaled(points[i - 1].x()), Scaled(points[i - 1].y()));
        const QPoint b(Scaled(points[i].x()), Scaled(points[i].y()));
        if (const auto segment = ClipToRange(a, b))
            runs.Add(*segment);
        else
            runs.Finish();
    }
    return runs.Take();
}

// Rounds down whatever the sign, so that cells keep one size across zero.
int WmfGeometry::Scaled(int v) const
{
    const std::int64_t wide = v;
    return static_cast<int>(wide >= 0 ? wide / divisor_ : -((-wide + divisor_ - 1) / divisor_));
}
