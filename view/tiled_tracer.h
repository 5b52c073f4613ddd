#pragma once

#include "view/curve_tracer.h"
#include "view/precise_roots.h"

#include <QRect>

#include <vector>

// The side of the square tiles a picture is traced and drawn in, counted
// from its top-left corner.
constexpr int kTilePixels = 256;
// The most pieces one tile draws: two for every one of its pixels. Pieces
// of about a pixel fill the densest tile of a curve of dimension near 2
// with fewer (Cesaro's needs up to 1.5 at any scale), so that every tile of
// a picture of any size, a poster's as a frame's, is refined to the pixel,
// while a tile of a curve of dimension 2 still ends within a tick's share.
constexpr int kTileSegmentBudget = 2 * kTilePixels * kTilePixels;

// One tile's share of the curve.
struct TracedTile {
    PixelRect Rect;
    CurveTracer Tracer;
    TracedCurve Curve;
    // Whether this picture's trace has run over the tile: Curve's count of
    // pieces and completeness are its.
    bool Traced = false;
    // Whether Curve holds every piece, not none of them for having handed
    // them to a sink.
    bool Whole = false;
};

// Traces a picture tile by tile on the thread pool: the precise roots once
// for the whole picture, then every tile refined from them in doubles
// within its own budget when it is drawn. The tiles depend on the
// picture's rectangle alone and each has its own tracer, so the pieces are
// the same whatever the number of threads.
class TiledTracer {
public:
    // Finds the picture's roots and cuts it into tiles, none traced yet.
    void Trace(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect, const TraceLimits& limits);
    // The tiles that meet area (in the picture's pixels), row by row. The
    // others give up their pieces, so that a picture drawn a band of rows at
    // a time holds only the band's tiles.
    std::vector<TracedTile*> TilesIn(const QRect& area);
    // Traces the tile whole unless it is; tiles may be traced at once on
    // several threads.
    void Trace(TracedTile& tile) const;
    // Traces the tile anew, handing its pieces to sink a part at a time.
    void Trace(TracedTile& tile, TracePartSink& sink) const;
    // The picture's tiles, those last drawn traced.
    const std::vector<TracedTile>& Tiles() const { return tiles_; }
    // Of the tiles traced so far.
    int Segments() const;
    bool Complete() const;

private:
    void CutIntoTiles(const PixelRect& rect);

    const LimitCurve* curve_ = nullptr;
    TraceLimits limits_;
    PreciseRoots precise_;
    TraceRoots roots_;
    std::vector<TracedTile> tiles_;
};
