#include "view/curve_drawing.h"

#include "view/canvas.h"

void DrawStyledCurve(QPainter& painter, const Complex* points, int count, const PixelRect& rect,
                     const CurveStyle& style, std::vector<QPoint>& scratch)
{
    Canvas canvas(painter, scratch);
    canvas.SetAntialiased(style.Antialiased);
    canvas.SetBrushColor(style.Background);
    canvas.FillRect(rect);
    canvas.SetPen(style.Foreground, style.PenWidth);
    switch (style.Shape) {
    case CurveStyle::Marks::Lines:
        canvas.Polyline(points, count);
        break;
    case CurveStyle::Marks::Pixels:
        canvas.Pixels(points, count);
        break;
    case CurveStyle::Marks::Dots:
        canvas.SetBrushColor(style.Foreground);
        canvas.Ellipses(points, count, style.DotRadius);
        break;
    }
}

bool DrawsOnBits(const CurveStyle& style)
{
    return !style.Antialiased
        && (style.Shape == CurveStyle::Marks::Pixels || (style.Shape == CurveStyle::Marks::Lines && style.PenWidth <= 1));
}
