#include "view/curve_renderer.h"

#include "view/curve_drawing.h"
#include "view/fract_viewer.h"
#include "view/segment_colors.h"

#include <algorithm>

namespace {

class CurvePicture : public ViewPicture {
public:
    CurvePicture(const Complex* points, int count, const PixelRect& rect, const CurveStyle& style,
                 std::vector<QPoint>& scratch, const std::uint8_t* colors)
        : points_(points), count_(count), rect_(rect), style_(style), scratch_(scratch), colors_(colors)
    {
    }

    void Draw(QPainter& painter) const override
    {
        DrawStyledCurve(painter, points_, count_, rect_, style_, scratch_, colors_);
    }

private:
    const Complex* points_;
    int count_;
    PixelRect rect_;
    CurveStyle style_;
    std::vector<QPoint>& scratch_;
    const std::uint8_t* colors_;
};

bool SameEdges(const std::vector<Complex>& items, const std::vector<EdgeOrientation>& orientations,
               const FractModel& generator)
{
    return std::equal(items.begin(), items.end(), generator.Items.begin(), generator.Items.begin() + generator.Count,
                      [](const Complex& a, const Complex& b) { return a.Re == b.Re && a.Im == b.Im; })
        && std::equal(orientations.begin(), orientations.end(), generator.Orientations.begin(),
                      generator.Orientations.begin() + generator.Count);
}

} // namespace

CurveRenderer::CurveRenderer(const FractViewer& viewer) : viewer_(viewer) {}

std::unique_ptr<ViewPicture> CurveRenderer::Picture(const ViewPlacement& placement, const CurveStyle& style)
{
    const Complex* points = viewer_.Points.data();
    switch (placement.Mode) {
    case ViewPlacement::Kind::AsShown:
        break;
    case ViewPlacement::Kind::Fitted: {
        const ViewMapping fit = viewer_.FitMapping(placement.Rect);
        points = Map(fit.Scale, fit.Offset);
        break;
    }
    case ViewPlacement::Kind::Scaled:
        points = Map(placement.Scale, Complex(0, 0));
        break;
    }
    const std::uint8_t* colors = style.Coloring.Colored() ? Colors(style.Coloring) : nullptr;
    return std::make_unique<CurvePicture>(points, viewer_.PointCount, placement.Rect, style, scratch_, colors);
}

const std::uint8_t* CurveRenderer::Colors(const CurveColoring& coloring)
{
    const FractModel& generator = viewer_.Model;
    const bool same = colorsDepth_ == viewer_.Depth && colorsCount_ == viewer_.PointCount
        && colorsItems_.size() == static_cast<std::size_t>(std::max(generator.Count, 0))
        && SameEdges(colorsItems_, colorsOrientations_, generator) && colorsColoring_ == coloring;
    if (!same) {
        ColorPolyline(generator, viewer_.Depth, viewer_.PointCount, coloring, colors_);
        colorsItems_.assign(generator.Items.begin(), generator.Items.begin() + std::max(generator.Count, 0));
        colorsOrientations_.assign(generator.Orientations.begin(),
                                   generator.Orientations.begin() + std::max(generator.Count, 0));
        colorsDepth_ = viewer_.Depth;
        colorsCount_ = viewer_.PointCount;
        colorsColoring_ = coloring;
    }
    return colors_.data();
}

// The same arithmetic as FractViewer::Transform, point for point.
const Complex* CurveRenderer::Map(double scale, const Complex& offset)
{
    const int count = viewer_.PointCount;
    if (mapped_.size() < static_cast<std::size_t>(count))
        mapped_.resize(static_cast<std::size_t>(count));
    const Complex* p = viewer_.Points.data();
    for (int i = 0; i < count; ++i) {
        mapped_[i].Re = p[i].Re * scale + offset.Re;
        mapped_[i].Im = p[i].Im * scale + offset.Im;
    }
    return mapped_.data();
}
