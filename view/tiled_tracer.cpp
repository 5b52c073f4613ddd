#include "view/tiled_tracer.h"

#include <algorithm>

namespace {

QRect ToQRect(const PixelRect& rect)
{
    return {rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top};
}

} // namespace

void TiledTracer::Trace(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect,
                        const TraceLimits& limits)
{
    curve_ = &curve;
    limits_ = limits;
    precise_.Find(curve, camera, rect, limits.Margin, roots_);
    CutIntoTiles(rect);
}

// A tile keeps its tracer while the picture keeps its size, as the frames
// of a zoom do.
void TiledTracer::CutIntoTiles(const PixelRect& rect)
{
    const auto count = [](std::int32_t from, std::int32_t to) {
        return std::max<std::int64_t>(0, (std::int64_t{to} - from + kTilePixels - 1) / kTilePixels);
    };
    const std::int64_t columns = count(rect.Left, rect.Right), rows = count(rect.Top, rect.Bottom);
    tiles_.resize(static_cast<std::size_t>(columns * rows));
    for (std::int64_t row = 0; row < rows; ++row) {
        for (std::int64_t column = 0; column < columns; ++column) {
            const auto left = static_cast<std::int32_t>(rect.Left + column * kTilePixels);
            const auto top = static_cast<std::int32_t>(rect.Top + row * kTilePixels);
            TracedTile& tile = tiles_[static_cast<std::size_t>(row * columns + column)];
            tile.Rect = {left, top, std::min(rect.Right, left + kTilePixels), std::min(rect.Bottom, top + kTilePixels)};
            tile.Traced = false;
            tile.Whole = false;
        }
    }
}

std::vector<TracedTile*> TiledTracer::TilesIn(const QRect& area)
{
    std::vector<TracedTile*> shown;
    for (TracedTile& tile : tiles_) {
        if (ToQRect(tile.Rect).intersects(area)) {
            shown.push_back(&tile);
        } else if (tile.Traced) {
            tile.Tracer = CurveTracer();
            tile.Curve = TracedCurve();
            tile.Traced = false;
            tile.Whole = false;
        }
    }
    return shown;
}

void TiledTracer::Trace(TracedTile& tile) const
{
    if (tile.Whole)
        return;
    tile.Tracer.TraceFrom(*curve_, roots_, tile.Rect, limits_, tile.Curve);
    tile.Traced = true;
    tile.Whole = true;
}

void TiledTracer::Trace(TracedTile& tile, TracePartSink& sink) const
{
    tile.Tracer.TraceFrom(*curve_, roots_, tile.Rect, limits_, tile.Curve, sink);
    tile.Traced = true;
    tile.Whole = false;
}

int TiledTracer::Segments() const
{
    int segments = 0;
    for (const TracedTile& tile : tiles_)
        segments += tile.Traced ? tile.Curve.Segments : 0;
    return segments;
}

bool TiledTracer::Complete() const
{
    return std::all_of(tiles_.begin(), tiles_.end(),
                       [](const TracedTile& tile) { return !tile.Traced || tile.Curve.Complete; });
}
