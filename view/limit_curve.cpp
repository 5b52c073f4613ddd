#include "view/limit_curve.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The bounds are refined until the pieces that could still widen them are
// this small against the chord, or this many pieces were looked at.
constexpr double kBoundsTolerance = 1e-9;
constexpr int kBoundsPieces = 1 << 16;
// The disc is tightened over at least this many pieces of C, as often as
// it still shrinks noticeably.
constexpr int kDiscPieces = 4096;
constexpr int kDiscRounds = 32;
constexpr double kDiscSettled = 1e-6;
// Covers the rounding of the doubles the disc is measured and used with.
constexpr double kDiscSafety = 1e-9;

double Abs(const Complex& z)
{
    return std::hypot(z.Re, z.Im);
}

Complex Plus(Complex a, const Complex& b)
{
    a.Add(b);
    return a;
}

Complex Minus(Complex a, const Complex& b)
{
    a.Sub(b);
    return a;
}

Complex Times(Complex a, const Complex& b)
{
    a.Mul(b);
    return a;
}

constexpr EdgeOrientation kAllOrientations[] = {EdgeOrientation::Normal, EdgeOrientation::Mirrored,
                                                EdgeOrientation::Reversed, EdgeOrientation::MirroredReversed};

} // namespace

void LimitCurve::Update(const FractModel& generator)
{
    const int n = generator.Count;
    orientations_.assign(generator.Orientations.begin(), generator.Orientations.begin() + n);
    absolute_.assign(static_cast<std::size_t>(n) + 1, Complex());
    Complex direction(1, 0);
    for (int k = 0; k < n; ++k) {
        direction.Mul(generator.Items[k]);
        absolute_[k + 1] = Plus(absolute_[k], direction);
    }
    if (Minus(direction, Complex(1, 0)).SqrAbs() > kUnitTolerance * kUnitTolerance
        || !std::isfinite(direction.SqrAbs())) {
        verdict_ = Verdict::LastEdgeNotUnit;
        return;
    }
    end_ = absolute_[n];
    verdict_ = Verdict::EdgesNotShorter;
    if (end_.SqrAbs() == 0.0 || !std::isfinite(end_.SqrAbs()))
        return;
    nodes_ = absolute_;
    for (Complex& a : nodes_)
        a.Div(end_);
    nodes_.front().SetTo(0, 0);
    nodes_.back().SetTo(1, 0);
    largestRatio_ = 0.0;
    for (int k = 0; k < n; ++k)
        largestRatio_ = std::max(largestRatio_, Abs(Minus(nodes_[k + 1], nodes_[k])));
    if (!(largestRatio_ < 1.0))
        return;
    verdict_ = Verdict::Exists;
    OrientNodes();
    shares_.Update(generator);
    MeasureBounds();
    MeasureDisc();
}

// Reversed copies are walked from a(n) down to a(0), which 1 - z turns
// into 0 up to 1 again, exactly.
void LimitCurve::OrientNodes()
{
    const std::size_t n = nodes_.size() - 1;
    children_.resize(4 * n);
    for (const EdgeOrientation o : kAllOrientations) {
        std::vector<Complex>& nodes = orientedNodes_[Index(o)];
        nodes.resize(n + 1);
        for (std::size_t j = 0; j <= n; ++j)
            nodes[j] = Apply(o, nodes_[IsReversed(o) ? n - j : j]);
        for (std::size_t j = 0; j < n; ++j)
            children_[Index(o) * n + j] = Compose(o, orientations_[IsReversed(o) ? n - 1 - j : j]);
    }
}

namespace {

// A disc about the point m of the chord from 0 to 1 that every map of C
// into its copies keeps inside itself, and so holds C: the copy on edge k,
// of orientation phi, has its own disc within whenever
// |a(k) + b(k) phi(m) - m| + |b(k)| R <= R.
double InvariantRadius(const std::vector<Complex>& a, const std::vector<EdgeOrientation>& orientations,
                       const Complex& m)
{
    double radius = 0.0;
    for (std::size_t k = 0; k + 1 < a.size(); ++k) {
        const Complex b = Minus(a[k + 1], a[k]);
        const Complex shift = Minus(Plus(a[k], Times(b, Apply(orientations[k], m))), m);
        radius = std::max(radius, Abs(shift) / (1.0 - Abs(b)));
    }
    return radius;
}

} // namespace

void LimitCurve::Split(const Piece& piece, std::vector<Piece>& into) const
{
    const std::vector<Complex>& a = Nodes(piece.Orientation);
    for (std::size_t j = 0; j + 1 < a.size(); ++j)
        into.push_back({Plus(piece.Start, Times(piece.Chord, a[j])), Times(piece.Chord, Minus(a[j + 1], a[j])),
                        ChildOrientation(piece.Orientation, j)});
}

// The nodes of the pieces lie on C, so their bounds grow towards C's from
// inside; only pieces whose disc reaches beyond the bounds found so far
// can widen them, and only those are refined.
void LimitCurve::MeasureBounds()
{
    const double radius = InvariantRadius(nodes_, orientations_, Complex(0, 0));
    const double smallest = kBoundsTolerance * Abs(end_);
    boundsMin_.SetTo(std::min(0.0, end_.Re), std::min(0.0, end_.Im));
    boundsMax_.SetTo(std::max(0.0, end_.Re), std::max(0.0, end_.Im));
    std::vector<Piece> level{{Complex(0, 0), end_}}, next;
    for (int looked = 0; !level.empty() && looked < kBoundsPieces; looked += static_cast<int>(level.size())) {
        next.clear();
        for (const Piece& piece : level) {
            const double r = radius * Abs(piece.Chord);
            const Complex s = Plus(piece.Start, Times(piece.Chord, Apply(piece.Orientation, Complex(0, 0))));
            const bool inside = s.Re - r >= boundsMin_.Re && s.Re + r <= boundsMax_.Re && s.Im - r >= boundsMin_.Im
                                && s.Im + r <= boundsMax_.Im;
            if (inside || Abs(piece.Chord) <= smallest)
                continue;
            const std::size_t first = next.size();
            Split(piece, next);
            for (std::size_t i = first; i < next.size(); ++i) {
                const Complex& p = next[i].Start;
                boundsMin_.SetTo(std::min(boundsMin_.Re, p.Re), std::min(boundsMin_.Im, p.Im));
                boundsMax_.SetTo(std::max(boundsMax_.Re, p.Re), std::max(boundsMax_.Im, p.Im));
            }
        }
        std::swap(level, next);
    }
}

// About the middle of C's bounds; the invariant disc is then tightened
// over many small pieces: if C lies within radius R of the centre, each
// piece lies within |c| R of its own centre, and so C within the largest
// reach of the pieces.
void LimitCurve::MeasureDisc()
{
    Complex middle = Plus(boundsMin_, boundsMax_);
    middle.MulReal(0.5);
    middle.Div(end_);
    discCentre_ = middle;
    std::vector<Piece> pieces{{Complex(0, 0), Complex(1, 0)}}, next;
    const std::size_t n = nodes_.size() - 1;
    while (pieces.size() * n <= kDiscPieces) {
        next.clear();
        for (const Piece& piece : pieces)
            Split(piece, next);
        std::swap(pieces, next);
    }
    double radius = InvariantRadius(nodes_, orientations_, discCentre_);
    for (int round = 0; round < kDiscRounds; ++round) {
        double reach = 0.0;
        for (const Piece& piece : pieces) {
            const Complex centre = Plus(piece.Start, Times(piece.Chord, Apply(piece.Orientation, discCentre_)));
            reach = std::max(reach, Abs(Minus(centre, discCentre_)) + Abs(piece.Chord) * radius);
        }
        const bool settled = radius - reach < kDiscSettled * radius;
        radius = std::min(radius, reach);
        if (settled)
            break;
    }
    discRadius_ = radius * (1 + kDiscSafety);
}
