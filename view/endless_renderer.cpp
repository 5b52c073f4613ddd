#include "view/endless_renderer.h"

#include "view/curve_drawing.h"
#include "view/endless_view.h"

#include <algorithm>

namespace {

// Pieces this far outside a picture can still reach into it with the
// pen's width or a mark's radius.
constexpr double kCullSlack = 2.0;

class TracedPicture : public ViewPicture {
public:
    TracedPicture(const TracedCurve& trace, const PixelRect& rect, const CurveStyle& style,
                  std::vector<QPoint>& scratch)
        : trace_(trace), rect_(rect), style_(style), scratch_(scratch)
    {
    }

    void Draw(QPainter& painter) const override
    {
        DrawStyledRuns(painter, trace_.Points, trace_.RunStarts, rect_, style_, scratch_);
    }

private:
    const TracedCurve& trace_;
    PixelRect rect_;
    CurveStyle style_;
    std::vector<QPoint>& scratch_;
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
    tracer_.Trace(view_.Curve(), camera, placement.Rect, TraceLimitsFor(style), trace_);
    return std::make_unique<TracedPicture>(trace_, placement.Rect, style, scratch_);
}
