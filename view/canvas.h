#pragma once

#include "model/complex.h"
#include "view/color_ref.h"
#include "view/line_raster.h"
#include "view/pixel_rect.h"

#include <QPainter>
#include <QPoint>

#include <vector>

// The drawing operations of the views on any QPainter: a widget's picture,
// an image, a printer page or a metafile. Point coordinates are truncated
// toward zero. On a plain 32-bit image, also one shifted by whole pixels,
// the lines and pixels are written directly, which is several times faster
// than the general painter; so they are, with the fill, on a one-bit image
// (QImage::Format_Mono) whose colour table holds the colours drawn, the same
// pixels in a thirty-second of the memory.
class Canvas {
public:
    // scratch holds the integer points for the painter; the views allocate it
    // once, with one slot per point.
    Canvas(QPainter& painter, std::vector<QPoint>& scratch);
    // Leaves the painter with the last pen set.
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Smoothed edges at the points' exact positions, on devices with pixels
    // (pictures and printers); other devices keep whole-pixel geometry.
    void SetAntialiased(bool on);

    void SetBrushColor(ColorRef color);
    void SetPen(ColorRef color, int width);
    // Fills the rectangle with the brush colour.
    void FillRect(const PixelRect& rect);
    void Polyline(const Complex* points, int count);
    void Pixels(const Complex* points, int count);
    // Filled with the brush, outlined with the pen, each inside the box
    // (x - radius, y - radius) to (x + radius, y + radius), the right and
    // bottom edge left out, so that a circle of the editor's margin stays
    // wholly inside its pane.
    void Ellipses(const Complex* points, int count, int radius);

private:
    bool Direct() const { return (surface_.Bits != nullptr || penBit_ >= 0) && penWidth_ <= 1; }
    void DirectLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    void DirectPolyline(const Complex* points, int count);
    void PainterPolyline(const Complex* points, int count);
    void SmoothPolyline(const Complex* points, int count);
    void SmoothPixels(const Complex* points, int count);
    void FlushRun(int& runLength);
    void UsePen();

    QPainter& painter_;
    std::vector<QPoint>& scratch_;
    PixelSurface surface_;
    BitSurface bitSurface_;
    // The pen's and the brush's bit on a one-bit image: -1 where the image's
    // colour table does not hold the colour (or there is no such image).
    int penBit_ = -1;
    int brushBit_ = -1;
    // Added to the truncated coordinates when drawing straight into the image.
    std::int64_t shiftX_ = 0;
    std::int64_t shiftY_ = 0;
    QColor penColor_;
    std::uint32_t penPixel_ = 0;
    int penWidth_ = 1;
    // Whether the painter holds the pen: pixels written directly need none,
    // and a coloured curve changes its pen at every run.
    bool painterHasPen_ = true;
    QColor brushColor_;
    bool antialiased_ = false;
    double guardLo_ = 0.0;
    double guardHi_ = 0.0;
};
