#include "output/metafile/metafile_paint_engine.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Paths are left out so that QPainter hands over rectangles, ellipses and
// lines as such; everything else comes unemulated, alpha and gradients are
// reduced to plain colours here.
const QPaintEngine::PaintEngineFeatures kFeatures = ~QPaintEngine::PaintEngineFeatures(QPaintEngine::PainterPaths);

// How much the transform enlarges lengths, for pen widths.
double LengthScale(const QTransform& transform)
{
    return std::sqrt(std::fabs(transform.m11() * transform.m22() - transform.m12() * transform.m21()));
}

// The GDI box one past a rectangle's last pixel on each side, kept within
// 32 bits however large the rectangle.
GdiBox BoxOnePast(const QRect& r)
{
    auto clamped = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    return {r.x(), r.y(), clamped(std::int64_t{r.x()} + r.width() + 1), clamped(std::int64_t{r.y()} + r.height() + 1)};
}

} // namespace

MetafilePaintEngine::MetafilePaintEngine() : QPaintEngine(kFeatures) {}

// Each painter adds to what earlier ones drew, as on an image.
bool MetafilePaintEngine::begin(QPaintDevice*)
{
    return true;
}

bool MetafilePaintEngine::end()
{
    return true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags dirty = state.state();
    if (dirty & DirtyPen)
        pen_ = state.pen();
    if (dirty & DirtyBrush)
        brush_ = state.brush();
    if (dirty & DirtyTransform)
        transform_ = state.transform();
}

void MetafilePaintEngine::drawRects(const QRect* rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        const QRectF rect(rects[i]);
        drawRects(&rect, 1);
    }
}

// GDI leaves out a rectangle's right and bottom edges, and one pixel more
// with no pen: one past QPainter's edges covers the same pixels either way.
void MetafilePaintEngine::drawRects(const QRectF* rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        AddShape(DrawnShape::Kind::Rectangle, BoxOnePast(DeviceRect(rects[i])));
    }
}

void MetafilePaintEngine::drawEllipse(const QRect& rect)
{
    drawEllipse(QRectF(rect));
}

// As for rectangles, a stroked QRect covers its right and bottom edge, which
// GDI's box leaves out: the views' dots QRect(x - r, y - r, 2r - 1, 2r - 1)
// are the GDI box (x - r, y - r, x + r, y + r).
void MetafilePaintEngine::drawEllipse(const QRectF& rect)
{
    AddShape(DrawnShape::Kind::Ellipse, BoxOnePast(DeviceRect(rect)));
}

void MetafilePaintEngine::drawPolygon(const QPoint* points, int pointCount, PolygonDrawMode mode)
{
    if (mode != PolylineMode) {
        WarnFilledPolygon();
        return;
    }
    AddPolyline(DevicePoints(points, pointCount));
}

void MetafilePaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode)
{
    if (mode != PolylineMode) {
        WarnFilledPolygon();
        return;
    }
    AddPolyline(DevicePoints(points, pointCount));
}

void MetafilePaintEngine::drawPoints(const QPoint* points, int pointCount)
{
    AddPixels(DevicePoints(points, pointCount));
}

void MetafilePaintEngine::drawPoints(const QPointF* points, int pointCount)
{
    AddPixels(DevicePoints(points, pointCount));
}

// Line pictures carry no images.
void MetafilePaintEngine::drawPixmap(const QRectF&, const QPixmap&, const QRectF&) {}

// QPaintEngine's own drawPolygon overloads only call each other.
void MetafilePaintEngine::WarnFilledPolygon()
{
    qWarning("MetafilePaintEngine: filled polygons are not recorded");
}

std::vector<QPoint> MetafilePaintEngine::DevicePoints(const QPoint* points, int count) const
{
    if (transform_.isIdentity())
        return std::vector<QPoint>(points, points + count);
    std::vector<QPoint> device;
    device.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        device.push_back(transform_.map(points[i]));
    return device;
}

std::vector<QPoint> MetafilePaintEngine::DevicePoints(const QPointF* points, int count) const
{
    std::vector<QPoint> device;
    device.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        device.push_back(transform_.map(points[i]).toPoint());
    return device;
}

QRect MetafilePaintEngine::DeviceRect(const QRectF& rect) const
{
    return transform_.mapRect(rect.normalized()).toRect();
}

GdiPen MetafilePaintEngine::Pen() const
{
    return GdiPenOf(pen_, LengthScale(transform_));
}

void MetafilePaintEngine::AddShape(DrawnShape::Kind kind, const GdiBox& box)
{
    const GdiPen pen = Pen();
    const GdiBrush brush = GdiBrushOf(brush_);
    if (pen.Visible || brush.Visible)
        drawing_.push_back(DrawnShape{kind, box, pen, brush});
}

void MetafilePaintEngine::AddPolyline(std::vector<QPoint>&& points)
{
    const GdiPen pen = Pen();
    if (pen.Visible && points.size() > 1)
        drawing_.push_back(DrawnPolyline{std::move(points), pen});
}

// The pixels take the pen's colour whatever its width: a metafile pixel is
// one device pixel, and the views draw their points with a one-pixel pen.
void MetafilePaintEngine::AddPixels(std::vector<QPoint>&& points)
{
    const GdiPen pen = Pen();
    if (pen.Visible && !points.empty())
        drawing_.push_back(DrawnPixels{std::move(points), pen.Color});
}
