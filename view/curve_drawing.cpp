#include "view/curve_drawing.h"

#include "view/canvas.h"

#include <memory>
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

// Draws points in the colours of their indices, a run of one colour at a
// time: one path per run in a vector document, one pen per run in a
// metafile. Without colours, in the foreground as one run.
class ColoredCurve {
public:
    ColoredCurve(Canvas& canvas, const CurveStyle& style) : canvas_(canvas), style_(style)
    {
        if (style.Coloring.Colored())
            palette_.emplace(style.Coloring);
    }

    void Lines(const Complex* points, const std::uint8_t* colors, int begin, int end)
    {
        if (!colors || !palette_) {
            canvas_.Polyline(points + begin, end - begin);
            return;
        }
        for (int from = begin; from + 1 < end;) {
            int to = from + 1;
            while (to + 1 < end && colors[to + 1] == colors[from + 1])
                ++to;
            canvas_.SetPen((*palette_)[colors[from + 1]], style_.PenWidth);
            canvas_.Polyline(points + from, to - from + 1);
            from = to;
        }
    }

    void Marks(const Complex* points, const std::uint8_t* colors, int count)
    {
        if (!colors || !palette_) {
            MarkPoints(canvas_, points, count, style_, style_.Foreground);
            return;
        }
        for (int from = 0; from < count;) {
            int to = from + 1;
            while (to < count && colors[to] == colors[from])
                ++to;
            const ColorRef color = (*palette_)[colors[from]];
            canvas_.SetPen(color, style_.PenWidth);
            MarkPoints(canvas_, points + from, to - from, style_, color);
            from = to;
        }
    }

private:
    Canvas& canvas_;
    const CurveStyle& style_;
    std::optional<CurvePalette> palette_;
};

} // namespace

void DrawStyledCurve(QPainter& painter, const Complex* points, int count, const PixelRect& rect,
                     const CurveStyle& style, std::vector<QPoint>& scratch, const std::uint8_t* colors)
{
    Canvas canvas(painter, scratch);
    FillAndTakePen(canvas, rect, style);
    ColoredCurve curve(canvas, style);
    if (style.Shape == CurveStyle::Marks::Lines)
        curve.Lines(points, colors, 0, count);
    else
        curve.Marks(points, colors, count);
}

struct RunDrawing::Pen {
    Pen(QPainter& painter, const CurveStyle& style, std::vector<QPoint>& scratch)
        : canvas(painter, scratch), curve(canvas, style)
    {
    }
    Canvas canvas;
    ColoredCurve curve;
};

RunDrawing::RunDrawing(QPainter& painter, const CurveStyle& style, std::vector<QPoint>& scratch)
    : style_(style), pen_(std::make_unique<Pen>(painter, style, scratch))
{
}

RunDrawing::~RunDrawing() = default;

void RunDrawing::Fill(const PixelRect& rect)
{
    FillAndTakePen(pen_->canvas, rect, style_);
}

void RunDrawing::Runs(const std::vector<Complex>& points, const std::vector<int>& runStarts,
                      const std::vector<std::uint8_t>& colors)
{
    const int count = static_cast<int>(points.size());
    const std::uint8_t* indices = colors.size() == points.size() ? colors.data() : nullptr;
    if (style_.Shape != CurveStyle::Marks::Lines) {
        pen_->curve.Marks(points.data(), indices, count);
        return;
    }
    for (std::size_t run = 0; run < runStarts.size(); ++run) {
        const int end = run + 1 < runStarts.size() ? runStarts[run + 1] : count;
        pen_->curve.Lines(points.data(), indices, runStarts[run], end);
    }
}

void DrawStyledRuns(QPainter& painter, const std::vector<Complex>& points, const std::vector<int>& runStarts,
                    const PixelRect& rect, const CurveStyle& style, std::vector<QPoint>& scratch,
                    const std::vector<std::uint8_t>& colors)
{
    RunDrawing drawing(painter, style, scratch);
    drawing.Fill(rect);
    drawing.Runs(points, runStarts, colors);
}

bool DrawsPieceByPiece(const CurveStyle& style)
{
    return !style.Antialiased
        && (style.Shape == CurveStyle::Marks::Pixels || (style.Shape == CurveStyle::Marks::Lines && style.PenWidth <= 1));
}

bool DrawsOnBits(const CurveStyle& style)
{
    return DrawsPieceByPiece(style) && !style.Coloring.Colored();
}
