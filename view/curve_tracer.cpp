#include "view/curve_tracer.h"

#include "view/endless_camera.h"
#include "view/limit_curve.h"

#include <algorithm>
#include <cmath>

namespace {

// Pieces narrower than this many pictures are descended in doubles, which
// keep them exact to far below a pixel.
constexpr double kRootPictures = 4.0;
// The most nodes the precise descent computes for one picture. A curve
// whose copies barely shrink (an edge nearly as long as the chord) would
// otherwise take seconds at a deep magnification; past it the pieces are
// drawn coarser.
constexpr int kPreciseNodeBudget = 1 << 15;

// x 2^-shift as a double, without overflow on the way: a value far larger
// than 2^shift becomes infinite, a far smaller one zero.
double Scaled(const BigFloat& x, long shift)
{
    if (x.IsZero())
        return 0.0;
    long exponent = 0;
    const double mantissa = mpfr_get_d_2exp(&exponent, x.get(), MPFR_RNDN);
    constexpr long kBeyondDoubles = 2100;
    return std::ldexp(mantissa, static_cast<int>(std::clamp(exponent - shift, -kBeyondDoubles, kBeyondDoubles)));
}

long ExponentOf(double x)
{
    int exponent = 0;
    std::frexp(x, &exponent);
    return exponent;
}

// Whether the disc about centre reaches into the box.
bool DiscMisses(const Complex& centre, double radius2, double left, double top, double right, double bottom)
{
    const double dx = std::max({left - centre.Re, centre.Re - right, 0.0});
    const double dy = std::max({top - centre.Im, centre.Im - bottom, 0.0});
    return dx * dx + dy * dy > radius2;
}

} // namespace

void CurveTracer::Trace(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect,
                        const TraceLimits& limits, TracedCurve& out)
{
    Prepare(curve, rect, limits);
    DescendPrecisely(curve, camera);
    TakeRoots();
    if (!Descend(kNoCap, out)) {
        complete_ = false;
        Descend(DepthWithinBudget(), out);
    }
    out.Complete = complete_;
}

void CurveTracer::Prepare(const LimitCurve& curve, const PixelRect& rect, const TraceLimits& limits)
{
    nodeRatios_ = curve.Nodes();
    preciseRatios_.clear();
    for (const Complex& a : nodeRatios_)
        preciseRatios_.emplace_back(a, BigFloat::kMinBits);
    nodes_.resize(nodeRatios_.size());
    discCentre_ = curve.DiscCentre();
    discRadius_ = curve.DiscRadius();
    left_ = rect.Left - limits.Margin;
    top_ = rect.Top - limits.Margin;
    right_ = rect.Right + limits.Margin;
    bottom_ = rect.Bottom + limits.Margin;
    pieceLength2_ = limits.PieceLength * limits.PieceLength;
    const double width = std::max(static_cast<double>(rect.Right) - rect.Left, 1.0);
    const double height = std::max(static_cast<double>(rect.Bottom) - rect.Top, 1.0);
    rootLength_ = kRootPictures * std::max(width, height);
    rectExponent_ = ExponentOf(std::max({std::fabs(left_), std::fabs(top_), std::fabs(right_), std::fabs(bottom_), 1.0}));
    discBits_ = ExponentOf(discRadius_ + std::hypot(discCentre_.Re, discCentre_.Im) + 1.0) + 1;
    budget_ = limits.Budget;
    complete_ = true;
}

std::size_t CurveTracer::AppendNew()
{
    if (nextCount_ == next_.size())
        next_.emplace_back();
    next_[nextCount_].Next = Link::None;
    return nextCount_++;
}

std::size_t CurveTracer::Append(PreciseNode& node)
{
    const std::size_t at = AppendNew();
    swap(next_[at].At, node.At);
    next_[at].Next = node.Next;
    return at;
}

// A node with no piece on either side draws nothing.
void CurveTracer::DropIfIsolated()
{
    if (nextCount_ == 0 || next_[nextCount_ - 1].Next != Link::None)
        return;
    if (nextCount_ == 1 || next_[nextCount_ - 2].Next == Link::None)
        --nextCount_;
}

void CurveTracer::DescendPrecisely(const LimitCurve& curve, const EndlessCamera& camera)
{
    nextCount_ = 0;
    preciseNodes_ = 0;
    const std::size_t start = AppendNew();
    next_[start].At = camera.PreciseReach(BigComplex(Complex(0, 0), BigFloat::kMinBits));
    next_[start].Next = Link::Open;
    const std::size_t end = AppendNew();
    next_[end].At = camera.PreciseReach(BigComplex(curve.End(), BigFloat::kMinBits));
    std::swap(precise_, next_);
    preciseCount_ = nextCount_;
    while (PrecisePass()) {
    }
}

// One level deeper for every open piece; true while pieces are still open
// and the budget allows another pass.
bool CurveTracer::PrecisePass()
{
    bool open = false;
    nextCount_ = 0;
    for (std::size_t i = 0; i < preciseCount_; ++i) {
        const std::size_t at = Append(precise_[i]);
        if (next_[at].Next == Link::Open && i + 1 < preciseCount_)
            open |= ClassifyPrecise(at, precise_[i + 1]);
        else
            DropIfIsolated();
    }
    std::swap(precise_, next_);
    preciseCount_ = nextCount_;
    return open && preciseNodes_ < kPreciseNodeBudget;
}

// The piece from next_[start] to end: small enough for doubles, outside the
// picture, or split into its copies. Works in powers of two of the chord,
// so that no double overflows however far the piece reaches.
bool CurveTracer::ClassifyPrecise(std::size_t start, const PreciseNode& end)
{
    {
        const BigComplex& s = next_[start].At;
        const mpfr_prec_t bits = std::max(s.Precision(), end.At.Precision());
        mpfr_set_prec(chord_.Re.get(), bits);
        mpfr_set_prec(chord_.Im.get(), bits);
        mpfr_sub(chord_.Re.get(), end.At.Re.get(), s.Re.get(), MPFR_RNDN);
        mpfr_sub(chord_.Im.get(), end.At.Im.get(), s.Im.get(), MPFR_RNDN);
    }
    const long shift = chord_.Exponent();
    const Complex chord(Scaled(chord_.Re, shift), Scaled(chord_.Im, shift));
    const double length = std::hypot(chord.Re, chord.Im);
    if (chord_.Re.IsZero() && chord_.Im.IsZero()) {
        next_[start].Next = Link::Done;
        return false;
    }
    if (std::ldexp(length, static_cast<int>(std::min(shift, 4096L))) <= rootLength_) {
        next_[start].Next = Link::Done;
        return false;
    }
    const BigComplex& s = next_[start].At;
    Complex centre(Scaled(s.Re, shift), Scaled(s.Im, shift));
    Complex offset = chord;
    offset.Mul(discCentre_);
    centre.Add(offset);
    const double radius = discRadius_ * length;
    const int down = static_cast<int>(-std::min(shift, 4096L));
    if (DiscMisses(centre, radius * radius, std::ldexp(left_, down), std::ldexp(top_, down), std::ldexp(right_, down),
                   std::ldexp(bottom_, down))) {
        next_[start].Next = Link::None;
        DropIfIsolated();
        return false;
    }
    const mpfr_prec_t bits =
        std::max<mpfr_prec_t>(BigFloat::kMinBits, std::max(shift, rectExponent_) + discBits_ + kGuardBits);
    mpfr_set_prec(product_.get(), bits);
    for (std::size_t k = 1; k + 1 < preciseRatios_.size(); ++k) {
        const std::size_t at = AppendNew();
        BigComplex& node = next_[at].At;
        const BigComplex& from = next_[start].At;
        const BigComplex& a = preciseRatios_[k];
        mpfr_set_prec(node.Re.get(), bits);
        mpfr_set_prec(node.Im.get(), bits);
        mpfr_fmms(product_.get(), chord_.Re.get(), a.Re.get(), chord_.Im.get(), a.Im.get(), MPFR_RNDN);
        mpfr_add(node.Re.get(), from.Re.get(), product_.get(), MPFR_RNDN);
        mpfr_fmma(product_.get(), chord_.Re.get(), a.Im.get(), chord_.Im.get(), a.Re.get(), MPFR_RNDN);
        mpfr_add(node.Im.get(), from.Im.get(), product_.get(), MPFR_RNDN);
        next_[at].Next = Link::Open;
        ++preciseNodes_;
    }
    return true;
}

// The pieces of the precise descent in the picture's pixels; pieces still
// open when its budget ran out are drawn as they are.
void CurveTracer::TakeRoots()
{
    roots_.clear();
    rootJoined_.clear();
    for (std::size_t i = 0; i < preciseCount_; ++i) {
        const Complex p = precise_[i].At.ToComplex();
        const bool finite = std::isfinite(p.Re) && std::isfinite(p.Im);
        if (!finite && !rootJoined_.empty())
            rootJoined_.back() = false;
        if (precise_[i].Next == Link::Open)
            complete_ = false;
        roots_.push_back(p);
        rootJoined_.push_back(finite && precise_[i].Next != Link::None && i + 1 < preciseCount_);
    }
}

bool CurveTracer::Culled(const Complex& start, const Complex& chord) const
{
    Complex centre = chord;
    centre.Mul(discCentre_);
    centre.Add(start);
    return DiscMisses(centre, discRadius_ * discRadius_ * chord.SqrAbs(), left_, top_, right_, bottom_);
}

void CurveTracer::Split(const Complex& s, const Complex& e)
{
    Complex chord = e;
    chord.Sub(s);
    const std::size_t n = nodeRatios_.size() - 1;
    nodes_[0] = s;
    for (std::size_t k = 1; k < n; ++k) {
        nodes_[k] = chord;
        nodes_[k].Mul(nodeRatios_[k]);
        nodes_[k].Add(s);
    }
    nodes_[n] = e;
}

// Consecutive pieces share their node exactly, so a piece that starts where
// the last one ended continues its polyline.
void CurveTracer::Emit(const Complex& start, const Complex& end, TracedCurve& out)
{
    if (out.Points.empty() || out.Points.back().Re != start.Re || out.Points.back().Im != start.Im) {
        out.RunStarts.push_back(static_cast<int>(out.Points.size()));
        out.Points.push_back(start);
    }
    out.Points.push_back(end);
    ++out.Segments;
}

// Depth first, in curve order, pieces of the given depth below their root
// drawn whatever their size. With no cap, gives up past the budget.
bool CurveTracer::Descend(int cap, TracedCurve& out)
{
    out.Points.clear();
    out.RunStarts.clear();
    out.Segments = 0;
    const std::size_t n = nodeRatios_.size() - 1;
    for (std::size_t i = 0; i + 1 < roots_.size(); ++i) {
        if (!rootJoined_[i])
            continue;
        stack_.clear();
        stack_.push_back({roots_[i], roots_[i + 1], 0});
        while (!stack_.empty()) {
            const Piece piece = stack_.back();
            stack_.pop_back();
            Complex chord = piece.End;
            chord.Sub(piece.Start);
            if (Culled(piece.Start, chord))
                continue;
            if (Small(chord) || piece.Depth >= cap) {
                Emit(piece.Start, piece.End, out);
                if (cap == kNoCap && out.Segments > budget_)
                    return false;
                continue;
            }
            Split(piece.Start, piece.End);
            for (std::size_t k = n; k-- > 0;)
                stack_.push_back({nodes_[k], nodes_[k + 1], piece.Depth + 1});
        }
    }
    return true;
}

// The deepest level below the roots at which drawing every piece still
// open gives no more than the budget: level by level, counting the pieces
// finished (small) and still open, keeping only the open ones.
int CurveTracer::DepthWithinBudget()
{
    level_.clear();
    long finished = 0;
    for (std::size_t i = 0; i + 1 < roots_.size(); ++i) {
        if (!rootJoined_[i])
            continue;
        Complex chord = roots_[i + 1];
        chord.Sub(roots_[i]);
        if (Culled(roots_[i], chord))
            continue;
        if (Small(chord))
            ++finished;
        else
            level_.push_back({roots_[i], roots_[i + 1], 0});
    }
    const std::size_t n = nodeRatios_.size() - 1;
    for (int depth = 0; !level_.empty(); ++depth) {
        nextLevel_.clear();
        long finishing = 0;
        for (const Piece& piece : level_) {
            Split(piece.Start, piece.End);
            for (std::size_t k = 0; k < n; ++k) {
                Complex chord = nodes_[k + 1];
                chord.Sub(nodes_[k]);
                if (Culled(nodes_[k], chord))
                    continue;
                if (Small(chord))
                    ++finishing;
                else
                    nextLevel_.push_back({nodes_[k], nodes_[k + 1], depth + 1});
                if (finished + finishing + static_cast<long>(nextLevel_.size()) > budget_)
                    return depth;
            }
        }
        finished += finishing;
        std::swap(level_, nextLevel_);
    }
    return kNoCap;
}
