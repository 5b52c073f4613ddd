#include "output/raster/banded_picture.h"

#include "output/picture_export.h"
#include "view/tiled_tracer.h"
#include "view/view_renderer.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr qint64 kBandBytes = 4 << 20;
// A band as wide as a poster takes up to this much to hold a whole row of
// the endless view's tiles, so that each tile is traced and drawn once.
// Wider pictures draw thinner bands, each drawing every tile it meets.
constexpr qint64 kTileRowBandBytes = 128 << 20;

int BandRows(int width, int height)
{
    const qint64 rowBytes = qint64{width} * 4;
    qint64 rows = std::max<qint64>(1, kBandBytes / rowBytes);
    if (rowBytes * kTilePixels <= kTileRowBandBytes)
        rows = std::max<qint64>(1, rows / kTilePixels) * kTilePixels;
    return static_cast<int>(std::min<qint64>(rows, height));
}

} // namespace

BandedPicture::BandedPicture(const ViewPicture& view, int width, int height)
    : view_(view), height_(height), band_(width, BandRows(width, height), QImage::Format_RGB32)
{
    if (band_.isNull())
        throw PictureSizeError("picture too large");
}

const QRgb* BandedPicture::Row(int y)
{
    const int rows = band_.height();
    const int top = y / rows * rows;
    if (top != bandTop_)
        DrawBand(top);
    return reinterpret_cast<const QRgb*>(band_.constScanLine(y - top));
}

void BandedPicture::DrawBand(int top)
{
    QPainter painter(&band_);
    painter.translate(0, -top);
    view_.Draw(painter);
    bandTop_ = top;
}
