#include "view/endless_renderer.h"

#include "view/endless_view.h"
#include "view/tile_drawing.h"

#include <algorithm>
#include <cmath>

namespace {

// Pieces this far outside a picture can still reach into it with the
// pen's width or a mark's radius.
constexpr double kCullSlack = 2.0;

class TracedPicture : public ViewPicture {
public:
    TracedPicture(TiledTracer& trace, const CurveStyle& style) : trace_(trace), style_(style) {}

    // Traces the tiles it shows as it draws them.
    void Draw(QPainter& painter) const override { DrawTiles(painter, trace_, style_); }

private:
    TiledTracer& trace_;
    CurveStyle style_;
};

} // namespace

// Dots on paper are several pixels wide: pieces shorter than a dot add
// nothing to the picture.
TraceLimits TraceLimitsFor(const CurveStyle& style)
{
    TraceLimits limits;
    const double marks = style.Shape == CurveStyle::Marks::Dots ? style.DotRadius : style.PenWidth;
    limits.PieceLength = std::max(kPieceLength, style.Shape == CurveStyle::Marks::Dots ? marks : 0.0);
    limits.Margin = marks + kCullSlack;
    limits.Budget = kTileSegmentBudget;
    return limits;
}

namespace {

double Log2(const BigFloat& x)
{
    long exponent = 0;
    const double mantissa = mpfr_get_d_2exp(&exponent, x.get(), MPFR_RNDN);
    return static_cast<double>(exponent) + std::log2(mantissa);
}

// The camera's scale against that of the whole curve fitted into the same
// picture, as a power of two: the same for every output of one view.
double Log2Magnification(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect)
{
    const EndlessCamera full = FitCamera(BigComplex(curve.BoundsMin(), BigFloat::kMinBits),
                                         BigComplex(curve.BoundsMax(), BigFloat::kMinBits), rect);
    return Log2(camera.Scale) - Log2(full.Scale);
}

} // namespace

int EndlessRenderer::EdgeLevelAt(int level, double log2M, double ratio)
{
    if (!(ratio > 0.0 && ratio < 1.0) || !(log2M > 0.0))
        return level;
    return level + static_cast<int>(std::min(std::floor(log2M / -std::log2(ratio)), double{1 << 20}));
}

EndlessRenderer::EndlessRenderer(const EndlessView& view) : view_(view) {}

std::unique_ptr<ViewPicture> EndlessRenderer::Picture(const ViewPlacement& placement, const CurveStyle& style)
{
    EndlessCamera camera;
    switch (placement.Mode) {
    case ViewPlacement::Kind::AsShown:
        camera = view_.Camera();
        break;
    case ViewPlacement::Kind::Fitted:
        camera = FitCamera(view_.WindowMin(), view_.WindowMax(), placement.Rect);
        break;
    case ViewPlacement::Kind::Scaled:
        camera = view_.Camera();
        camera.Scale = Rounded(camera.Scale * BigFloat(placement.Scale, kScaleBits), kScaleBits);
        break;
    }
    TraceLimits limits = TraceLimitsFor(style);
    colors_.reset();
    if (style.Coloring.Colored()) {
        const double log2M = Log2Magnification(view_.Curve(), camera, placement.Rect);
        colors_.emplace(style.Coloring, EdgeLevelAt(style.Coloring.EdgeLevel, log2M, view_.Curve().LargestRatio()));
        limits.Colors = &*colors_;
    }
    tracer_.Trace(view_.Curve(), camera, placement.Rect, limits);
    return std::make_unique<TracedPicture>(tracer_, style);
}
