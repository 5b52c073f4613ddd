#pragma once

#include "model/complex.h"
#include "model/edge_orientation.h"
#include "view/pixel_rect.h"
#include "view/precise_roots.h"
#include "view/segment_colors.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

class LimitCurve;
struct EndlessCamera;

// The longest piece of the limit curve that is drawn as its chord, in
// pixels: about one pixel, so that the picture shows all the detail its
// pixels can.
constexpr double kPieceLength = 1.5;
// The most pieces one picture draws. A picture that would need more (a
// curve of dimension near 2 on a large picture) is refined less deep
// instead, so that a tick never stalls.
constexpr int kSegmentBudget = 1 << 20;

// A picture's share of the limit curve: polylines in the picture's pixels.
struct TracedCurve {
    std::vector<Complex> Points;
    // Where each polyline starts in Points; it runs up to the next start.
    std::vector<int> RunStarts;
    // With a coloring, one colour index per point: that of the piece that
    // ends there, or at a run's start, of the piece that starts there.
    std::vector<std::uint8_t> Colors;
    int Segments = 0;
    // False when a budget stopped the refinement before the pieces were
    // small enough.
    bool Complete = true;
};

// The points a part handed to a TracePartSink holds: with the pixels they
// are drawn on, well within a core's own cache.
constexpr std::size_t kTracePartPoints = 4096;

// Takes a trace's pieces a part at a time while it runs, so that they can be
// drawn while they are still in the cache.
class TracePartSink {
public:
    virtual ~TracePartSink() = default;
    // The trace starts over from its roots: the parts taken so far are void.
    virtual void Restart() = 0;
    // The pieces since the last part. A part starts a polyline of its own
    // where the last one ended, so that only the pixel at their joint is
    // drawn twice.
    virtual void Take(const TracedCurve& part) = 0;
};

// What a picture needs of its trace.
struct TraceLimits {
    double PieceLength = kPieceLength;
    // Pieces within this many pixels outside the picture are kept, for the
    // width of the pen or the marks.
    double Margin = 0.0;
    int Budget = kSegmentBudget;
    // How the pieces are coloured; none for one colour.
    const SegmentColors* Colors = nullptr;
};

// Traces the limit curve into a picture: every piece of C that meets the
// picture's rectangle, refined until its chord is at most the piece length,
// pieces wholly outside culled by their discs. Below the precise roots
// (pieces a few pictures wide), the pieces are descended in doubles
// relative to the picture. The tracer keeps its working storage, and its
// roots, from trace to trace.
class CurveTracer {
public:
    void Trace(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect, const TraceLimits& limits,
               TracedCurve& out);
    // The same from roots found for a larger picture around rect, so that
    // the parts of one picture share one precise descent.
    void TraceFrom(const LimitCurve& curve, const TraceRoots& roots, const PixelRect& rect, const TraceLimits& limits,
                   TracedCurve& out);
    // The same, handing the pieces to sink a part at a time: out keeps the
    // count of all, and none of them.
    void TraceFrom(const LimitCurve& curve, const TraceRoots& roots, const PixelRect& rect, const TraceLimits& limits,
                   TracedCurve& out, TracePartSink& sink);

private:
    struct Piece {
        Complex Start;
        Complex End;
        int Depth;
        bool Inside;
        EdgeOrientation Orientation;
        CurvePlace Place;
    };
    enum class Place { Outside, Across, Inside };
    static constexpr int kNoCap = std::numeric_limits<int>::max();

    void Prepare(const LimitCurve& curve, const PixelRect& rect, const TraceLimits& limits);
    void Refine(TracedCurve& out);
    // Depth first, in curve order, pieces of depth cap below their root
    // drawn whatever their size. With no cap, false past the budget.
    bool Descend(int cap, TracedCurve& out);
    int DepthWithinBudget();
    Place Placed(const Complex& start, const Complex& chord, EdgeOrientation o) const;
    // False for a piece outside the picture; marks one inside it.
    bool Keeps(Piece& piece) const;
    bool Small(const Piece& piece) const
    {
        Complex chord = piece.End;
        chord.Sub(piece.Start);
        return chord.SqrAbs() <= pieceLength2_;
    }
    // Fills nodes_ with the copy's n + 1 nodes on the chord from s to e, in
    // the order it is walked.
    void Split(const Complex& s, const Complex& e, EdgeOrientation o);
    void Emit(const Piece& piece, TracedCurve& out) const;
    // Hands out's pieces to the sink and empties it.
    void HandOver(TracedCurve& out) const;

    PreciseRoots precise_;
    TraceRoots roots_;
    // The curve and the picture, for one trace.
    const LimitCurve* curve_ = nullptr;
    std::size_t count_ = 0;
    // The disc's centre on the chord from 0 to 1, by the copy's orientation.
    std::array<Complex, 4> discCentres_;
    double discRadius_ = 0.0;
    double left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    double pieceLength2_ = 0.0;
    int budget_ = 0;
    const SegmentColors* colors_ = nullptr;
    const EdgeShares* shares_ = nullptr;
    bool overBudget_ = false;
    TracePartSink* sink_ = nullptr;
    std::vector<Piece> stack_;
    std::vector<Piece> level_;
    std::vector<Piece> nextLevel_;
    std::vector<Complex> nodes_;
};
