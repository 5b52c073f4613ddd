#pragma once

#include "model/complex.h"
#include "model/fract_model.h"
#include "view/curve_places.h"

#include <algorithm>
#include <array>
#include <vector>

// The curve the depths of a generator converge to. The expansion multiplies
// one running direction by every edge and never restores it, so only when
// the product P of all items (the last absolute edge) is (1, 0) does every
// completed copy of the generator leave the direction as it found it: then
// depth d + 1 replaces every edge v of depth d by v times the generator,
// and scaled back by the end node N the depths refine one another towards
// one curve C from (0, 0) to N, made of one copy of itself per edge:
// C = union over k of N(k) + (E(k) / N) C, with E(k) the absolute edges.
// In the copy of C on a chord from s to e, edge k runs from s + (e - s) a(k)
// to s + (e - s) a(k + 1), where a(k) = N(k) / N are the nodes scaled to a
// chord from 0 to 1.
// An edge of orientation phi carries the copy s + (e - s) phi(C) instead,
// so C = union over k of T(k)(phi(k)(C)), T(k) the map onto edge k, and a
// copy of orientation psi on a chord is split into the children
// s + (e - s) psi(a(k)), walked from the chord's start to its end (from
// k = n down when psi reverses), each child's orientation psi composed
// with its edge's. phi keeps distances in the chord's coordinates, so the
// disc of C on the chord lies about s + (e - s) phi(centre), as wide.
class LimitCurve {
public:
    enum class Verdict {
        Exists,
        // P is not (1, 0): each completed copy turns what follows it.
        LastEdgeNotUnit,
        // Some edge is as long as the chord from start to end (or the end
        // lies on the start): its copies never shrink.
        EdgesNotShorter,
    };

    // How far P may lie from (1, 0) for the depths to refine one another.
    static constexpr double kUnitTolerance = 1e-9;

    void Update(const FractModel& generator);

    Verdict Check() const { return verdict_; }
    bool Exists() const { return verdict_ == Verdict::Exists; }

    // The rest only when the curve exists.
    const Complex& End() const { return end_; }
    // N(0) = (0, 0) to N(n) = End() as the expansion computes them: they
    // define the curve exactly, whatever their ratios round to.
    const std::vector<Complex>& AbsoluteNodes() const { return absolute_; }
    // a(0) = 0 to a(n) = 1, exactly at both ends, so that every copy ends
    // where its chord does; the others rounded to doubles, close enough
    // while a chord spans fewer pixels than a double has bits.
    const std::vector<Complex>& Nodes() const { return nodes_; }
    // The edges' orientations; the curve of normal edges alone has none.
    const std::vector<EdgeOrientation>& Orientations() const { return orientations_; }
    // The nodes of a copy of orientation o on the chord from 0 to 1,
    // o(a(k)), in the order the copy is walked.
    const std::vector<Complex>& Nodes(EdgeOrientation o) const { return orientedNodes_[Index(o)]; }
    // Of child j, in the order a copy of orientation o is walked.
    EdgeOrientation ChildOrientation(EdgeOrientation o, std::size_t j) const
    {
        return children_[Index(o) * (nodes_.size() - 1) + j];
    }
    // A copy of C on the chord c from s lies within the disc of radius
    // DiscRadius() |c| about s + c DiscCentre(), and a copy of orientation o
    // about s + c o(DiscCentre()).
    const Complex& DiscCentre() const { return discCentre_; }
    // The largest |E(k)| / |N|: each level of copies shrinks the pieces by
    // at least this much.
    double LargestRatio() const { return largestRatio_; }
    // The places of the copies along the curve.
    const EdgeShares& Shares() const { return shares_; }
    double DiscRadius() const { return discRadius_; }
    // The bounds of C in the generator's coordinates (the full view).
    const Complex& BoundsMin() const { return boundsMin_; }
    const Complex& BoundsMax() const { return boundsMax_; }

private:
    // A piece of C: the copy on the chord from Start to Start + Chord.
    struct Piece {
        Complex Start;
        Complex Chord;
        EdgeOrientation Orientation = EdgeOrientation::Normal;
    };

    static std::size_t Index(EdgeOrientation o) { return static_cast<std::size_t>(o); }
    void OrientNodes();
    // Appends the piece's children, in the order it is walked.
    void Split(const Piece& piece, std::vector<Piece>& into) const;
    void MeasureBounds();
    void MeasureDisc();

    Verdict verdict_ = Verdict::EdgesNotShorter;
    Complex end_;
    std::vector<Complex> absolute_;
    std::vector<Complex> nodes_;
    std::vector<EdgeOrientation> orientations_;
    std::array<std::vector<Complex>, 4> orientedNodes_;
    std::vector<EdgeOrientation> children_;
    double largestRatio_ = 0.0;
    EdgeShares shares_;
    Complex discCentre_;
    double discRadius_ = 0.0;
    Complex boundsMin_;
    Complex boundsMax_;
};

// Whether the disc about centre, of squared radius radius2, misses the box.
inline bool DiscMissesBox(const Complex& centre, double radius2, double left, double top, double right, double bottom)
{
    const double dx = std::max({left - centre.Re, centre.Re - right, 0.0});
    const double dy = std::max({top - centre.Im, centre.Im - bottom, 0.0});
    return dx * dx + dy * dy > radius2;
}
