#include "view/canvas.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// How far outside the painter's device a clipped line may end: far enough
// that the cut never shows, near enough for 16-bit metafile coordinates.
constexpr int kPainterGuardMargin = 1024;

// Whole pixels the painter shifts by, as banded drawing does; nullopt for
// any other transform.
std::optional<QPoint> WholePixelShift(const QPainter& painter)
{
    const QTransform& t = painter.worldTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::trunc(t.dx()) || t.dy() != std::trunc(t.dy())
        || std::fabs(t.dx()) > kRasterGuard || std::fabs(t.dy()) > kRasterGuard)
        return std::nullopt;
    return QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
}

// The image the painter draws on, where it may be written directly.
QImage* DirectImage(QPainter& painter)
{
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image || painter.hasClipping() || !WholePixelShift(painter)
        || painter.testRenderHint(QPainter::Antialiasing)
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    return image->devicePixelRatio() == 1.0 ? image : nullptr;
}

PixelSurface DirectSurface(QPainter& painter)
{
    QImage* image = DirectImage(painter);
    if (!image)
        return {};
    const auto format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32
        && format != QImage::Format_ARGB32_Premultiplied)
        return {};
    return {reinterpret_cast<std::uint32_t*>(image->bits()), image->bytesPerLine() / 4, image->width(),
            image->height()};
}

BitSurface DirectBitSurface(QPainter& painter)
{
    QImage* image = DirectImage(painter);
    if (!image || image->format() != QImage::Format_Mono || image->colorCount() != 2)
        return {};
    return {image->bits(), image->bytesPerLine(), image->width(), image->height()};
}

// The bit of the one-bit image that shows the colour, -1 for none.
int BitOf(QPainter& painter, const QColor& colour)
{
    const auto* image = static_cast<const QImage*>(painter.device());
    for (int bit = 0; bit < 2; ++bit)
        if ((image->color(bit) | 0xFF000000) == colour.rgb())
            return bit;
    return -1;
}

// Truncation toward zero; callers keep the value well inside 64 bits.
std::int64_t Truncate(double v)
{
    return static_cast<std::int64_t>(v);
}

bool WithinGuard(const Complex& p)
{
    return std::fabs(p.Re) < kRasterGuard && std::fabs(p.Im) < kRasterGuard;
}

} // namespace

Canvas::Canvas(QPainter& painter, std::vector<QPoint>& scratch)
    : painter_(painter), scratch_(scratch), surface_(DirectSurface(painter)), bitSurface_(DirectBitSurface(painter))
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    if (surface_.Bits || bitSurface_.Bits) {
        const QPoint shift = *WholePixelShift(painter);
        shiftX_ = shift.x();
        shiftY_ = shift.y();
    }
    // The device's area in the coordinates the points are given in.
    const QRect device = painter.device() ? QRect(0, 0, painter.device()->width(), painter.device()->height()) : QRect();
    const QRectF area = painter.worldTransform().inverted().mapRect(QRectF(device));
    guardLo_ = std::min({area.left(), area.top(), 0.0}) - kPainterGuardMargin;
    guardHi_ = std::max(area.right(), area.bottom()) + kPainterGuardMargin;
}

Canvas::~Canvas()
{
    UsePen();
}

void Canvas::SetAntialiased(bool on)
{
    const QPaintDevice* device = painter_.device();
    antialiased_ = on && device
        && (device->devType() == QInternal::Image || device->devType() == QInternal::Printer);
    painter_.setRenderHint(QPainter::Antialiasing, antialiased_);
    if (antialiased_) {
        surface_ = {};
        bitSurface_ = {};
    }
}

void Canvas::SetBrushColor(ColorRef color)
{
    brushColor_ = ToQColor(color);
    painter_.setBrush(brushColor_);
    if (bitSurface_.Bits)
        brushBit_ = BitOf(painter_, brushColor_);
}

void Canvas::SetPen(ColorRef color, int width)
{
    penColor_ = ToQColor(color);
    penPixel_ = penColor_.rgb();
    penWidth_ = width;
    painterHasPen_ = false;
    if (bitSurface_.Bits)
        penBit_ = BitOf(painter_, penColor_);
}

void Canvas::UsePen()
{
    if (painterHasPen_)
        return;
    painter_.setPen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painterHasPen_ = true;
}

void Canvas::FillRect(const PixelRect& rect)
{
    if (brushBit_ >= 0) {
        FillBits(bitSurface_, rect.Left + shiftX_, rect.Top + shiftY_, std::int64_t{rect.Right} + shiftX_,
                 std::int64_t{rect.Bottom} + shiftY_, brushBit_ == 1);
        return;
    }
    painter_.fillRect(QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top), brushColor_);
}

void Canvas::Polyline(const Complex* points, int count)
{
    if (count < 2)
        return;
    if (antialiased_)
        SmoothPolyline(points, count);
    else if (Direct())
        DirectPolyline(points, count);
    else
        PainterPolyline(points, count);
}

void Canvas::DirectLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    if (surface_.Bits)
        RasterLine(surface_, x0 + shiftX_, y0 + shiftY_, x1 + shiftX_, y1 + shiftY_, penPixel_);
    else
        RasterLine(bitSurface_, x0 + shiftX_, y0 + shiftY_, x1 + shiftX_, y1 + shiftY_, penBit_ == 1);
}

void Canvas::DirectPolyline(const Complex* points, int count)
{
    for (int i = 1; i < count; ++i) {
        const Complex& a = points[i - 1];
        const Complex& b = points[i];
        if (WithinGuard(a) && WithinGuard(b)) {
            DirectLine(Truncate(a.Re), Truncate(a.Im), Truncate(b.Re), Truncate(b.Im));
            continue;
        }
        double x0 = a.Re, y0 = a.Im, x1 = b.Re, y1 = b.Im;
        const double guard = kRasterGuard - 1.0;
        if (ClipSegment(x0, y0, x1, y1, -guard, guard))
            DirectLine(Truncate(x0), Truncate(y0), Truncate(x1), Truncate(y1));
    }
}

void Canvas::FlushRun(int& runLength)
{
    if (runLength > 1)
        painter_.drawPolyline(scratch_.data(), runLength);
    runLength = 0;
}

// Runs of segments that lie within the guard box become one polyline each,
// so joins stay joins; a segment that leaves the box ends its run.
void Canvas::PainterPolyline(const Complex* points, int count)
{
    UsePen();
    if (scratch_.size() < static_cast<std::size_t>(count))
        scratch_.resize(static_cast<std::size_t>(count));
    int run = 0;
    for (int i = 1; i < count; ++i) {
        double x0 = points[i - 1].Re, y0 = points[i - 1].Im, x1 = points[i].Re, y1 = points[i].Im;
        if (!ClipSegment(x0, y0, x1, y1, guardLo_, guardHi_)) {
            FlushRun(run);
            continue;
        }
        const QPoint start(static_cast<int>(x0), static_cast<int>(y0));
        const QPoint end(static_cast<int>(x1), static_cast<int>(y1));
        if (run == 0 || scratch_[run - 1] != start) {
            FlushRun(run);
            scratch_[run++] = start;
        }
        scratch_[run++] = end;
        if (x1 != points[i].Re || y1 != points[i].Im)
            FlushRun(run);
    }
    FlushRun(run);
}

// Segments clipped to the guard box; a cut ends the path there, as it ends
// a run of whole-pixel segments.
void Canvas::SmoothPolyline(const Complex* points, int count)
{
    UsePen();
    QPainterPath path;
    bool open = false;
    for (int i = 1; i < count; ++i) {
        double x0 = points[i - 1].Re, y0 = points[i - 1].Im, x1 = points[i].Re, y1 = points[i].Im;
        if (!ClipSegment(x0, y0, x1, y1, guardLo_, guardHi_)) {
            open = false;
            continue;
        }
        if (!open || x0 != points[i - 1].Re || y0 != points[i - 1].Im)
            path.moveTo(x0, y0);
        path.lineTo(x1, y1);
        open = x1 == points[i].Re && y1 == points[i].Im;
    }
    painter_.strokePath(path, painter_.pen());
}

// Each point a pixel-sized square at its exact position, shared out among
// the pixels it covers.
void Canvas::SmoothPixels(const Complex* points, int count)
{
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(penColor_);
    for (int i = 0; i < count; ++i) {
        const double x = points[i].Re, y = points[i].Im;
        if (x > guardLo_ && x < guardHi_ && y > guardLo_ && y < guardHi_)
            painter_.drawRect(QRectF(x - 0.5, y - 0.5, 1.0, 1.0));
    }
    painter_.restore();
}

void Canvas::Pixels(const Complex* points, int count)
{
    if (antialiased_) {
        SmoothPixels(points, count);
        return;
    }
    if (surface_.Bits || penBit_ >= 0) {
        for (int i = 0; i < count; ++i) {
            if (!WithinGuard(points[i]))
                continue;
            DirectLine(Truncate(points[i].Re), Truncate(points[i].Im), Truncate(points[i].Re), Truncate(points[i].Im));
        }
        return;
    }
    if (scratch_.size() < static_cast<std::size_t>(count))
        scratch_.resize(static_cast<std::size_t>(count));
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const double x = points[i].Re, y = points[i].Im;
        if (x > guardLo_ && x < guardHi_ && y > guardLo_ && y < guardHi_)
            scratch_[n++] = QPoint(static_cast<int>(x), static_cast<int>(y));
    }
    painter_.save();
    painter_.setPen(QPen(penColor_, 1));
    painter_.drawPoints(scratch_.data(), n);
    painter_.restore();
}

void Canvas::Ellipses(const Complex* points, int count, int radius)
{
    UsePen();
    for (int i = 0; i < count; ++i) {
        const double x = points[i].Re, y = points[i].Im;
        if (!(x > guardLo_ && x < guardHi_ && y > guardLo_ && y < guardHi_))
            continue;
        if (antialiased_)
            painter_.drawEllipse(QPointF(x, y), radius - 0.5, radius - 0.5);
        else
            painter_.drawEllipse(QRect(static_cast<int>(x) - radius, static_cast<int>(y) - radius, 2 * radius - 1,
                                       2 * radius - 1));
    }
}
