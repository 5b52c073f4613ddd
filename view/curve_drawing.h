#pragma once

#include "model/complex.h"
#include "view/curve_style.h"
#include "view/pixel_rect.h"

#include <QPoint>

#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

// Fills rect with the style's background and draws the points on it as
// lines, pixels or dots. scratch holds integer points for painters other
// than a plain picture; it grows to the point count when needed. With a
// coloring, colors holds each point's index into its palette: a segment
// takes that of the point it ends at, a mark that of its point.
void DrawStyledCurve(QPainter& painter, const Complex* points, int count, const PixelRect& rect,
                     const CurveStyle& style, std::vector<QPoint>& scratch, const std::uint8_t* colors = nullptr);

// The same for polylines that break where the curve leaves the picture:
// runStarts holds where each starts in points, each running up to the
// next; pixels and dots mark every point.
void DrawStyledRuns(QPainter& painter, const std::vector<Complex>& points, const std::vector<int>& runStarts,
                    const PixelRect& rect, const CurveStyle& style, std::vector<QPoint>& scratch,
                    const std::vector<std::uint8_t>& colors);

// DrawStyledRuns for a curve that arrives in parts: the background filled,
// then each part's runs drawn on it with one pen.
class RunDrawing {
public:
    RunDrawing(QPainter& painter, const CurveStyle& style, std::vector<QPoint>& scratch);
    ~RunDrawing();
    // Fills rect with the background, over all drawn so far.
    void Fill(const PixelRect& rect);
    void Runs(const std::vector<Complex>& points, const std::vector<int>& runStarts,
              const std::vector<std::uint8_t>& colors);

private:
    struct Pen;
    const CurveStyle& style_;
    std::unique_ptr<Pen> pen_;
};
// Whether each segment and mark of this style comes out the same whether
// the curve is drawn whole or in parts that share their ends: single
// pixels and unsmoothed lines a pixel wide, but not the joins of thick
// lines, nor smoothed edges or dots, which darken where they are drawn twice.
bool DrawsPieceByPiece(const CurveStyle& style);
// Whether DrawStyledCurve and DrawStyledRuns write every pixel of this
// style themselves on a one-bit picture whose colour table holds the
// style's two colours: lines one pixel wide and single pixels, but not
// thick lines, dots or smoothed edges, which need a painter on a 32-bit
// picture, nor a coloured curve.
bool DrawsOnBits(const CurveStyle& style);
