#include "view/endless_renderer.h"

#include "view/endless_view.h"
#include "view/tile_drawing.h"

#include <algorithm>

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
    tracer_.Trace(view_.Curve(), camera, placement.Rect, TraceLimitsFor(style));
    return std::make_unique<TracedPicture>(tracer_, style);
}
