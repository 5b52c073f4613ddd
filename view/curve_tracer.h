#pragma once

#include "model/complex.h"
#include "view/big_float.h"
#include "view/pixel_rect.h"

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
    int Segments = 0;
    // False when a budget stopped the refinement before the pieces were
    // small enough.
    bool Complete = true;
};

// What a picture needs of its trace.
struct TraceLimits {
    double PieceLength = kPieceLength;
    // Pieces within this many pixels outside the picture are kept, for the
    // width of the pen or the marks.
    double Margin = 0.0;
    int Budget = kSegmentBudget;
};

// Traces the limit curve into a picture: every piece of C that meets the
// picture's rectangle, refined until its chord is at most the piece length,
// pieces wholly outside culled by their discs. Pieces far larger than the
// picture are descended in the camera's precision, relative to the
// picture, until they are a few pictures wide; below that in doubles. The
// tracer keeps its working storage from trace to trace.
class CurveTracer {
public:
    void Trace(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect, const TraceLimits& limits,
               TracedCurve& out);

private:
    enum class Link : std::uint8_t { None, Open, Done };
    struct PreciseNode {
        BigComplex At;
        Link Next = Link::None;
    };
    struct Piece {
        Complex Start;
        Complex End;
        int Depth;
    };
    static constexpr int kNoCap = std::numeric_limits<int>::max();

    void Prepare(const LimitCurve& curve, const PixelRect& rect, const TraceLimits& limits);
    // The pieces a few pictures wide, with the breaks between them.
    void DescendPrecisely(const LimitCurve& curve, const EndlessCamera& camera);
    bool PrecisePass();
    // True when the piece was split into open pieces.
    bool ClassifyPrecise(std::size_t start, const PreciseNode& end);
    // Indices into next_, whose nodes are reused from pass to pass.
    std::size_t Append(PreciseNode& node);
    std::size_t AppendNew();
    void DropIfIsolated();
    void TakeRoots();
    // The pieces below the roots in doubles; false when more than the
    // budget would be drawn.
    bool Descend(int cap, TracedCurve& out);
    int DepthWithinBudget();
    bool Culled(const Complex& start, const Complex& chord) const;
    bool Small(const Complex& chord) const { return chord.SqrAbs() <= pieceLength2_; }
    // Fills nodes_ with the copy's n + 1 nodes on the chord from s to e.
    void Split(const Complex& s, const Complex& e);
    static void Emit(const Complex& start, const Complex& end, TracedCurve& out);

    // The curve and the picture, for one trace.
    std::vector<Complex> nodeRatios_;
    std::vector<BigComplex> preciseRatios_;
    Complex discCentre_;
    double discRadius_ = 0.0;
    double left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    double pieceLength2_ = 0.0;
    double rootLength_ = 0.0;
    long rectExponent_ = 0;
    long discBits_ = 0;
    int budget_ = 0;
    bool complete_ = true;

    // The precise descent: the pieces in curve order, a node per piece end.
    std::vector<PreciseNode> precise_;
    std::vector<PreciseNode> next_;
    std::size_t preciseCount_ = 0;
    std::size_t nextCount_ = 0;
    BigComplex chord_;
    BigFloat product_;
    int preciseNodes_ = 0;

    // The descent in doubles from the roots.
    std::vector<Complex> roots_;
    std::vector<bool> rootJoined_;
    std::vector<Piece> stack_;
    std::vector<Piece> level_;
    std::vector<Piece> nextLevel_;
    std::vector<Complex> nodes_;
};
