#include "output/metafile/emf_bounds.h"

#include <algorithm>

namespace {

QRect PointBounds(const std::vector<QPoint>& points)
{
    if (points.empty())
        return {};
    int left = points.front().x(), right = left, top = points.front().y(), bottom = top;
    for (const QPoint& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// A wide pen reaches half its width beyond the line it follows.
QRect Widened(const QRect& rect, const GdiPen& pen)
{
    const int half = pen.Visible ? pen.Width / 2 : 0;
    return rect.adjusted(-half, -half, half, half);
}

} // namespace

QRect DrawnBounds(const DrawnShape& shape)
{
    const GdiBox& box = shape.Box;
    return Widened(QRect(QPoint(box.Left, box.Top), QPoint(box.Right - 1, box.Bottom - 1)), shape.Pen);
}

QRect DrawnBounds(const DrawnPolyline& polyline)
{
    return Widened(PointBounds(polyline.Points), polyline.Pen);
}

QRect DrawnBounds(const DrawnPixels& pixels)
{
    return PointBounds(pixels.Points);
}

QRect DrawingBounds(const MetafileDrawing& drawing, QSize picture)
{
    QRect bounds;
    for (const DrawnItem& item : drawing)
        bounds = bounds.united(std::visit([](const auto& drawn) { return DrawnBounds(drawn); }, item));
    return bounds.intersected(QRect(QPoint(0, 0), picture));
}
