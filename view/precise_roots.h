#pragma once

#include "model/complex.h"
#include "model/edge_orientation.h"
#include "view/big_float.h"
#include "view/curve_places.h"
#include "view/endless_camera.h"
#include "view/pixel_rect.h"

#include <array>
#include <cstdint>
#include <vector>

class LimitCurve;

// Where a picture's trace starts: the pieces of C that reach into it, each
// at most a few pictures wide, as nodes in the picture's pixels; a piece
// runs from node i to node i + 1 where Joined[i], as a copy of C of
// orientation Orientations[i].
struct TraceRoots {
    std::vector<Complex> Points;
    std::vector<bool> Joined;
    std::vector<EdgeOrientation> Orientations;
    // The place of the piece that starts at each node.
    std::vector<CurvePlace> Places;
    // False when the precise descent stopped at its budget with larger
    // pieces left.
    bool Complete = true;
};

// Finds the roots in the camera's precision: from the whole curve, pieces
// that reach into the picture are split, relative to the picture so that
// the precision shrinks with the pieces, until they are a few pictures
// wide. The roots are kept in the generator's coordinates for the area
// around the picture, and serve the pictures of later cameras that look
// into that area at up to a little more magnification (the steps of a
// zoom, a pan, a video frame) without descending again.
class PreciseRoots {
public:
    void Find(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect, double margin,
              TraceRoots& roots);

private:
    enum class Link : std::uint8_t { None, Open, Done };
    // A node in the pixels of the camera descended with, and its value as a
    // double times a power of two, for the tests that need no precision.
    // Orientation is that of the piece to the next node.
    struct Node {
        BigComplex At;
        Complex Near;
        long Exponent = 0;
        Link Next = Link::None;
        EdgeOrientation Orientation = EdgeOrientation::Normal;
        // The place of the piece to the next node.
        CurvePlace Place;
    };

    bool Serves(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect, double margin) const;
    void Descend(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect);
    bool Pass();
    static Complex InUnit(const Node& node, long unit);
    Link Test(const Complex& from, const Complex& to, EdgeOrientation o, long unit) const;
    bool Split(std::size_t start, const Node& end);
    void DivideChord(const BigComplex& s, const BigComplex& e, bool mirrored, mpfr_prec_t bits);
    std::size_t Append(Node& node);
    std::size_t AppendNew();
    void SetNode(std::size_t at, BigComplex value);
    static void Approximate(Node& node);
    void DropIfIsolated();
    void Keep(const LimitCurve& curve, const EndlessCamera& camera);

    // The descent, reused from build to build.
    const LimitCurve* curve_ = nullptr;
    // By a copy's orientation, the nodes its chord is multiplied by, in the
    // order it is walked: N(k), conj N(k), N - N(k) or conj (N - N(k)),
    // exactly; and |N|^2, exactly.
    std::array<std::vector<BigComplex>, 4> absolute_;
    BigFloat endSquare_;
    std::array<Complex, 4> discCentres_;
    double discRadius_ = 0.0;
    double reachLeft_ = 0, reachTop_ = 0, reachRight_ = 0, reachBottom_ = 0;
    double rootLength_ = 0.0;
    long reachExponent_ = 0;
    long discBits_ = 0;
    // A split's nodes in doubles, and its copies' tests.
    std::vector<Complex> near_;
    std::vector<Link> links_;
    std::vector<Node> nodes_;
    std::vector<Node> next_;
    std::size_t count_ = 0;
    std::size_t nextCount_ = 0;
    BigComplex difference_;
    // The chord divided by N.
    BigComplex chord_;
    BigFloat product_;
    int computed_ = 0;
    std::size_t computedBytes_ = 0;

    // What was kept, and for which curve, area and magnification.
    std::vector<Complex> keptRatios_;
    std::vector<EdgeOrientation> keptEdges_;
    Complex keptEnd_;
    std::vector<BigComplex> kept_;
    std::vector<bool> keptJoined_;
    std::vector<EdgeOrientation> keptOrientations_;
    std::vector<CurvePlace> keptPlaces_;
    bool keptComplete_ = true;
    BigComplex areaMin_;
    BigComplex areaMax_;
    BigFloat largestRoot_;
    BigFloat largestScale_;
    bool valid_ = false;
};
