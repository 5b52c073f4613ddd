#include "view/curve_drawing.h"

#include "view/canvas.h"

namespace {

void FillAndTakePen(Canvas& canvas, const PixelRect& rect, const CurveStyle& style)
{
    canvas.SetAntialiased(style.Antialiased);
    canvas.SetBrushColor(style.Background);
    canvas.FillRect(rect);
    canvas.SetPen(style.Foreground, style.PenWidth);
}

// Pixels or dots, one per point.
void MarkPoints(Canvas& canvas, const Complex* points, int count, const CurveStyle& style)
{
    if (style.Shape == CurveStyle::Marks::Pixels) {
        canvas.Pixels(points, count);
    } else {
        canvas.SetBrushColor(style.Foreground);
        canvas.Ellipses(points, count, style.DotRadius);
    }
}

} // namespace

void DrawStyledCurve(QPainter& painter, const Complex* points, int count, const PixelRect& rect,
                     const CurveStyle& style, std::vector<QPoint>& scratch)
{
    Canvas canvas(painter, scratch);
    FillAndTakePen(canvas, rect, style);
    if (style.Shape == CurveStyle::Marks::Lines)
        canvas.Polyline(points, count);
    else
        MarkPoints(canvas, points, count, style);
}

void DrawStyledRuns(QPainter& painter, const std::vector<Complex>& points, const std::vector<int>& runStarts,
                    const PixelRect& rect, const CurveStyle& style, std::vector<QPoint>& scratch)
{
    Canvas canvas(painter, scratch);
    FillAndTakePen(canvas, rect, style);
    const int count = static_cast<int>(points.size());
    if (style.Shape != CurveStyle::Marks::Lines) {
        MarkPoints(canvas, points.data(), count, style);
        return;
    }
    for (std::size_t run = 0; run < runStarts.size(); ++run) {
        const int end = run + 1 < runStarts.size() ? runStarts[run + 1] : count;
        canvas.Polyline(points.data() + runStarts[run], end - runStarts[run]);
    }
}

bool DrawsOnBits(const CurveStyle& style)
{
    return !style.Antialiased
        && (style.Shape == CurveStyle::Marks::Pixels || (style.Shape == CurveStyle::Marks::Lines && style.PenWidth <= 1));
}
