#include "view/curve_drawing.h"

#include "view/canvas.h"

#include <optional>

namespace {

void FillAndTakePen(Canvas& canvas, const PixelRect& rect, const CurveStyle& style)
{
    canvas.SetAntialiased(style.Antialiased);
    canvas.SetBrushColor(style.Background);
    canvas.FillRect(rect);
    canvas.SetPen(style.Foreground, style.PenWidth);
}

// Pixels or dots, one per point.
void MarkPoints(Canvas& canvas, const Complex* points, int count, const CurveStyle& style, ColorRef color)
{
    if (style.Shape == CurveStyle::Marks::Pixels) {
        canvas.Pixels(points, count);
    } else {
        canvas.SetBrushColor(color);
        canvas.Ellipses(points, count, style.DotRadius);
    }
}

// Draws points[0, count) in the colours of their indices, a run of one
// colour at a time: one path per run in a vector document, one pen per run
// in a metafile. Without colours, in the foreground as one run.
class ColoredCurve {
public:
    ColoredCurve(Canvas& canvas, const CurveStyle& style, const std::uint8_t* colors)
        : canvas_(canvas), style_(style), colors_(colors)
    {
        if (colors_ && style.Coloring.Colored())
            palette_.emplace(style.Coloring);
        else
            colors_ = nullptr;
    }

    void Lines(const Complex* points, int begin, int end)
    {
        if (!colors_) {
            canvas_.Polyline(points + begin, end - begin);
            return;
        }
        for (int from = begin; from + 1 < end;) {
            int to = from + 1;
            while (to + 1 < end && colors_[to + 1] == colors_[from + 1])
                ++to;
            canvas_.SetPen((*palette_)[colors_[from + 1]], style_.PenWidth);
            canvas_.Polyline(points + from, to - from + 1);
            from = to;
        }
    }

    void Marks(const Complex* points, int count)
    {
        if (!colors_) {
            MarkPoints(canvas_, points, count, style_, style_.Foreground);
            return;
        }
        for (int from = 0; from < count;) {
            int to = from + 1;
            while (to < count && colors_[to] == colors_[from])
                ++to;
            const ColorRef color = (*palette_)[colors_[from]];
            canvas_.SetPen(color, style_.PenWidth);
            MarkPoints(canvas_, points + from, to - from, style_, color);
            from = to;
        }
    }

private:
    Canvas& canvas_;
    const CurveStyle& style_;
    const std::uint8_t* colors_;
    std::optional<CurvePalette> palette_;
};

} // namespace

void DrawStyledCurve(QPainter& painter, const Complex* points, int count, const PixelRect& rect,
                     const CurveStyle& style, std::vector<QPoint>& scratch, const std::uint8_t* colors)
{
    Canvas canvas(painter, scratch);
    FillAndTakePen(canvas, rect, style);
    ColoredCurve curve(canvas, style, colors);
    if (style.Shape == CurveStyle::Marks::Lines)
        curve.Lines(points, 0, count);
    else
        curve.Marks(points, count);
}

void DrawStyledRuns(QPainter& painter, const std::vector<Complex>& points, const std::vector<int>& runStarts,
                    const PixelRect& rect, const CurveStyle& style, std::vector<QPoint>& scratch,
                    const std::vector<std::uint8_t>& colors)
{
    Canvas canvas(painter, scratch);
    FillAndTakePen(canvas, rect, style);
    const int count = static_cast<int>(points.size());
    ColoredCurve curve(canvas, style, colors.size() == points.size() ? colors.data() : nullptr);
    if (style.Shape != CurveStyle::Marks::Lines) {
        curve.Marks(points.data(), count);
        return;
    }
    for (std::size_t run = 0; run < runStarts.size(); ++run) {
        const int end = run + 1 < runStarts.size() ? runStarts[run + 1] : count;
        curve.Lines(points.data(), runStarts[run], end);
    }
}

bool DrawsOnBits(const CurveStyle& style)
{
    return !style.Antialiased && !style.Coloring.Colored()
        && (style.Shape == CurveStyle::Marks::Pixels || (style.Shape == CurveStyle::Marks::Lines && style.PenWidth <= 1));
}
