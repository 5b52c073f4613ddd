#include "view/tile_drawing.h"

#include "model/bits_per_byte.h"
#include "view/color_ref.h"
#include "view/curve_drawing.h"
#include "view/pool_work.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace {

// An image's rows start on a 32-bit word: a one-bit image's views start on
// a multiple of 32 pixels.
constexpr int kWordBits = 32;
// Beyond any picture's pixels, with room for a rectangle's width.
constexpr int kEverywhere = 1 << 29;

QRect ToQRect(const PixelRect& rect)
{
    return {rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top};
}

// The image the painter draws on and the whole pixels it shifts by, where
// each tile may draw on a view of its own pixels.
struct SharedImage {
    QImage* Image = nullptr;
    QPoint Shift;
};

std::optional<SharedImage> Shared(QPainter& painter)
{
    QPaintDevice* device = painter.device();
    const QTransform& t = painter.worldTransform();
    if (!device || device->devType() != QInternal::Image || painter.hasClipping()
        || t.type() > QTransform::TxTranslate || t.dx() != std::trunc(t.dx()) || t.dy() != std::trunc(t.dy()))
        return std::nullopt;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (image->devicePixelRatio() != 1.0
        || (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32
            && format != QImage::Format_ARGB32_Premultiplied && format != QImage::Format_Mono))
        return std::nullopt;
    return SharedImage{image, QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()))};
}

// Where each tile lies in the image; nullopt when a one-bit view would not
// start on a word.
std::optional<std::vector<QRect>> Parts(const SharedImage& shared, const std::vector<TracedTile*>& tiles)
{
    std::vector<QRect> parts;
    for (const TracedTile* tile : tiles) {
        const QRect part = ToQRect(tile->Rect).translated(shared.Shift).intersected(shared.Image->rect());
        if (shared.Image->depth() == 1 && !part.isEmpty() && part.left() % kWordBits != 0)
            return std::nullopt;
        parts.push_back(part);
    }
    return parts;
}

// The picture's pixels an image shows; all of them on other devices, whose
// size may be in other units.
QRect AreaShown(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return QRect(QPoint(-kEverywhere, -kEverywhere), QPoint(kEverywhere, kEverywhere));
    const QRectF shown = painter.worldTransform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
    return shown.toAlignedRect();
}

void DrawTile(QPainter& painter, const TracedTile& tile, const CurveStyle& style)
{
    std::vector<QPoint> scratch;
    DrawStyledRuns(painter, tile.Curve.Points, tile.Curve.RunStarts, tile.Rect, style, scratch, tile.Curve.Colors);
}

// Draws a tile's pieces as its tracer hands them over.
class PartDrawing : public TracePartSink {
public:
    PartDrawing(QPainter& painter, const TracedTile& tile, const CurveStyle& style, std::vector<QPoint>& scratch)
        : drawing_(painter, style, scratch), rect_(tile.Rect)
    {
    }
    void Restart() override { drawing_.Fill(rect_); }
    void Take(const TracedCurve& part) override { drawing_.Runs(part.Points, part.RunStarts, part.Colors); }

private:
    RunDrawing drawing_;
    PixelRect rect_;
};

// Whether a tile on this image may be drawn while it is traced, a part at a
// time: where its lines and pixels are written straight into the image one
// by one, as on a 32-bit picture, or on a one-bit picture with the curve's
// colour.
bool DrawnWhileTraced(const QImage& image, const CurveStyle& style)
{
    if (image.depth() != 1)
        return DrawsPieceByPiece(style);
    return DrawsOnBits(style) && image.colorTable().contains(ToQColor(style.Foreground).rgb());
}

void TraceAndDraw(QPainter& painter, TiledTracer& tracer, TracedTile& tile, const CurveStyle& style, bool inParts)
{
    if (inParts && !tile.Whole) {
        std::vector<QPoint> scratch;
        PartDrawing drawing(painter, tile, style, scratch);
        tracer.Trace(tile, drawing);
        return;
    }
    tracer.Trace(tile);
    DrawTile(painter, tile, style);
}

// Each tile traced and drawn by one task, those that drew the most pieces
// in the last picture first, so that no large tile is left to run alone at
// the end.
void DrawInParallel(const SharedImage& shared, const std::vector<QRect>& parts, TiledTracer& tracer,
                    const std::vector<TracedTile*>& tiles, const CurveStyle& style)
{
    std::vector<int> order(tiles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&tiles](int a, int b) {
        return tiles[static_cast<std::size_t>(a)]->Curve.Segments > tiles[static_cast<std::size_t>(b)]->Curve.Segments;
    });
    QImage& image = *shared.Image;
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int depth = image.depth();
    const bool inParts = DrawnWhileTraced(image, style);
    RunOnPool(static_cast<int>(tiles.size()), [&](int k) {
        const auto i = static_cast<std::size_t>(order[static_cast<std::size_t>(k)]);
        const QRect& part = parts[i];
        if (part.isEmpty())
            return;
        QImage view(bits + part.top() * stride + part.left() * depth / kBitsPerByte, part.width(), part.height(),
                    stride, image.format());
        view.setColorTable(image.colorTable());
        QPainter painter(&view);
        painter.translate(shared.Shift - part.topLeft());
        TraceAndDraw(painter, tracer, *tiles[i], style, inParts);
    });
}

} // namespace

void DrawTiles(QPainter& painter, TiledTracer& tracer, const CurveStyle& style)
{
    const std::vector<TracedTile*> tiles = tracer.TilesIn(AreaShown(painter));
    if (const auto shared = Shared(painter)) {
        if (const auto parts = Parts(*shared, tiles)) {
            DrawInParallel(*shared, *parts, tracer, tiles, style);
            return;
        }
    }
    RunOnPool(static_cast<int>(tiles.size()), [&](int i) { tracer.Trace(*tiles[static_cast<std::size_t>(i)]); });
    for (const TracedTile* tile : tiles) {
        painter.save();
        painter.setClipRect(ToQRect(tile->Rect), Qt::IntersectClip);
        DrawTile(painter, *tile, style);
        painter.restore();
    }
}
