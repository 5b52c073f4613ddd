#include "view/precise_roots.h"

#include "view/limit_curve.h"

#include <algorithm>
#include <cmath>

namespace {

// Pieces narrower than this many pictures are descended in doubles, which
// keep them exact to far below a pixel.
constexpr double kRootPictures = 4.0;
// The roots cover this many picture sizes around the picture, so that pans
// and zooms out by a little stay within them.
constexpr double kReachPictures = 1.5;
// Roots serve later cameras that magnify them up to 2^kServeBits pixels
// (kept exact for that), beyond which doubles would no longer hold a piece
// exact to far below a pixel.
constexpr int kServeBits = 20;
constexpr double kLargestRoot = 1 << kServeBits;
// The most nodes the precise descent computes for one picture. A curve
// whose copies barely shrink (an edge nearly as long as the chord) would
// otherwise take seconds at a deep magnification; past it the pieces are
// drawn coarser.
constexpr int kPreciseNodeBudget = 1 << 15;
// The most memory the numbers of one descent take, past which its pieces
// are drawn coarser too. The kept roots are some of its nodes, and the
// nodes' storage is reused from pass to pass, so this bounds both.
constexpr std::size_t kPreciseRootBytes = std::size_t{128} << 20;
// The tests on doubles round; a disc this much larger covers that.
constexpr double kDiscSlack = 1e-9;
// Beyond this power of two, a double is infinite or zero anyway.
constexpr long kBeyondDoubles = 2100;

int Shift(long exponent)
{
    return static_cast<int>(std::clamp(exponent, -kBeyondDoubles, kBeyondDoubles));
}

// x 2^-shift as a double, without overflow on the way.
double Scaled(const BigFloat& x, long shift)
{
    if (x.IsZero())
        return 0.0;
    long exponent = 0;
    const double mantissa = mpfr_get_d_2exp(&exponent, x.get(), MPFR_RNDN);
    return std::ldexp(mantissa, Shift(exponent - shift));
}

long ExponentOf(double x)
{
    int exponent = 0;
    std::frexp(x, &exponent);
    return exponent;
}

bool Same(const Complex& a, const Complex& b)
{
    return a.Re == b.Re && a.Im == b.Im;
}

// |z|^2 exactly, in as few bits as it needs: the squares of two doubles
// and their sum span no more bits than their exponents and significands.
BigFloat ExactSquare(const Complex& z)
{
    constexpr mpfr_prec_t kSignificandBits = 53;
    int re = 0, im = 0;
    std::frexp(z.Re, &re);
    std::frexp(z.Im, &im);
    const BigFloat x(z.Re), y(z.Im);
    BigFloat square(2 * (std::abs(re - im) + kSignificandBits) + 2);
    mpfr_fmma(square.get(), x.get(), x.get(), y.get(), y.get(), MPFR_RNDN);
    square.SetPrecision(std::max<mpfr_prec_t>(mpfr_min_prec(square.get()), MPFR_PREC_MIN));
    return square;
}

// a - b exactly: the difference of two doubles spans no more bits than
// their exponents and significands.
BigFloat ExactDifference(double a, double b)
{
    constexpr mpfr_prec_t kSignificandBits = 53;
    int ea = 0, eb = 0;
    std::frexp(a, &ea);
    std::frexp(b, &eb);
    BigFloat difference(std::abs(ea - eb) + kSignificandBits + 1);
    mpfr_sub(difference.get(), BigFloat(a).get(), BigFloat(b).get(), MPFR_RNDN);
    difference.SetPrecision(std::max<mpfr_prec_t>(mpfr_min_prec(difference.get()), MPFR_PREC_MIN));
    return difference;
}

BigComplex Conjugate(BigComplex z)
{
    mpfr_neg(z.Im.get(), z.Im.get(), MPFR_RNDN);
    return z;
}

} // namespace

void PreciseRoots::Find(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect, double margin,
                        TraceRoots& roots)
{
    if (!Serves(curve, camera, rect, margin)) {
        Descend(curve, camera, rect);
        Keep(curve, camera);
    }
    roots.Points.clear();
    roots.Joined.clear();
    roots.Orientations = keptOrientations_;
    roots.Places = keptPlaces_;
    for (const BigComplex& node : kept_)
        roots.Points.push_back(camera.PixelOf(node));
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        const auto finite = [&](std::size_t j) {
            return std::isfinite(roots.Points[j].Re) && std::isfinite(roots.Points[j].Im);
        };
        roots.Joined.push_back(keptJoined_[i] && finite(i) && finite(i + 1));
    }
    roots.Complete = keptComplete_;
}

bool PreciseRoots::Serves(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect,
                          double margin) const
{
    const std::vector<Complex>& ratios = curve.Nodes();
    if (!valid_ || !Same(curve.End(), keptEnd_)
        || !std::equal(ratios.begin(), ratios.end(), keptRatios_.begin(), keptRatios_.end(), Same)
        || curve.Orientations() != keptEdges_)
        return false;
    if (largestScale_ < camera.Scale || BigFloat(kLargestRoot, kScaleBits) < largestRoot_ * camera.Scale)
        return false;
    const BigComplex a = camera.PointAt(Complex(rect.Left - margin, rect.Top - margin));
    const BigComplex b = camera.PointAt(Complex(rect.Right + margin, rect.Bottom + margin));
    return !(a.Re < areaMin_.Re) && !(a.Im < areaMin_.Im) && !(areaMax_.Re < b.Re) && !(areaMax_.Im < b.Im);
}

void PreciseRoots::Descend(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect)
{
    curve_ = &curve;
    const std::vector<Complex>& nodes = curve.AbsoluteNodes();
    const std::size_t n = nodes.size() - 1;
    for (std::size_t o = 0; o < absolute_.size(); ++o) {
        const auto orientation = static_cast<EdgeOrientation>(o);
        std::vector<BigComplex>& absolute = absolute_[o];
        absolute.clear();
        for (std::size_t j = 0; j <= n; ++j) {
            BigComplex node = IsReversed(orientation) ? BigComplex{ExactDifference(nodes[n].Re, nodes[n - j].Re),
                                                                   ExactDifference(nodes[n].Im, nodes[n - j].Im)}
                                                      : BigComplex(nodes[j], BigFloat::kMinBits);
            absolute.push_back(IsMirrored(orientation) ? Conjugate(std::move(node)) : std::move(node));
        }
        discCentres_[o] = Apply(orientation, curve.DiscCentre());
    }
    endSquare_ = ExactSquare(curve.End());
    near_.resize(n + 1);
    links_.resize(n + 1);
    discRadius_ = curve.DiscRadius() * (1 + kDiscSlack);
    const double size = std::max({static_cast<double>(rect.Right) - rect.Left,
                                  static_cast<double>(rect.Bottom) - rect.Top, 1.0});
    const double reach = kReachPictures * size;
    reachLeft_ = rect.Left - reach;
    reachTop_ = rect.Top - reach;
    reachRight_ = rect.Right + reach;
    reachBottom_ = rect.Bottom + reach;
    rootLength_ = kRootPictures * size;
    reachExponent_ = ExponentOf(
        std::max({std::fabs(reachLeft_), std::fabs(reachTop_), std::fabs(reachRight_), std::fabs(reachBottom_)}));
    discBits_ = ExponentOf(discRadius_ + std::hypot(curve.DiscCentre().Re, curve.DiscCentre().Im) + 1.0) + 1;
    nextCount_ = 0;
    computed_ = 0;
    computedBytes_ = 0;
    const std::size_t start = AppendNew();
    SetNode(start, camera.PreciseReach(BigComplex(Complex(0, 0), BigFloat::kMinBits)));
    next_[start].Place = CurvePlace{};
    const std::size_t end = AppendNew();
    SetNode(end, camera.PreciseReach(BigComplex(curve.End(), BigFloat::kMinBits)));
    const long unit = std::max(next_[start].Exponent, next_[end].Exponent);
    next_[start].Orientation = EdgeOrientation::Normal;
    next_[start].Next = Test(InUnit(next_[start], unit), InUnit(next_[end], unit), EdgeOrientation::Normal, unit);
    std::swap(nodes_, next_);
    count_ = nextCount_;
    while (Pass()) {
    }
}

std::size_t PreciseRoots::AppendNew()
{
    if (nextCount_ == next_.size())
        next_.emplace_back();
    next_[nextCount_].Next = Link::None;
    return nextCount_++;
}

std::size_t PreciseRoots::Append(Node& node)
{
    const std::size_t at = AppendNew();
    Node& slot = next_[at];
    swap(slot.At, node.At);
    slot.Near = node.Near;
    slot.Exponent = node.Exponent;
    slot.Next = node.Next;
    slot.Orientation = node.Orientation;
    slot.Place = node.Place;
    return at;
}

void PreciseRoots::Approximate(Node& node)
{
    node.Exponent = node.At.Exponent();
    node.Near = Complex(Scaled(node.At.Re, node.Exponent), Scaled(node.At.Im, node.Exponent));
}

void PreciseRoots::SetNode(std::size_t at, BigComplex value)
{
    next_[at].At = std::move(value);
    Approximate(next_[at]);
}

// A node with no piece on either side draws nothing.
void PreciseRoots::DropIfIsolated()
{
    if (nextCount_ == 0 || next_[nextCount_ - 1].Next != Link::None)
        return;
    if (nextCount_ == 1 || next_[nextCount_ - 2].Next == Link::None)
        --nextCount_;
}

// One level deeper for every open piece; true while pieces are still open
// and the budget allows another pass. A node left with no piece on either
// side goes on the next pass.
bool PreciseRoots::Pass()
{
    bool open = false;
    nextCount_ = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        const std::size_t at = Append(nodes_[i]);
        if (next_[at].Next == Link::Open && i + 1 < count_)
            open |= Split(at, nodes_[i + 1]);
        else
            DropIfIsolated();
    }
    std::swap(nodes_, next_);
    count_ = nextCount_;
    return open && computed_ < kPreciseNodeBudget && computedBytes_ < kPreciseRootBytes;
}

Complex PreciseRoots::InUnit(const Node& node, long unit)
{
    const int shift = Shift(node.Exponent - unit);
    return {std::ldexp(node.Near.Re, shift), std::ldexp(node.Near.Im, shift)};
}

// Whether a piece lies outside the area, is small enough for doubles, or
// must be split, from its nodes' doubles in units of 2^unit (the larger
// node's power of two), so that nothing overflows however far the piece
// reaches. A piece that reaches into the area is near it, its nodes of the
// chord's size, so the chord's double is exact enough.
PreciseRoots::Link PreciseRoots::Test(const Complex& from, const Complex& to, EdgeOrientation o, long unit) const
{
    Complex chord = to;
    chord.Sub(from);
    Complex centre = chord;
    centre.Mul(discCentres_[static_cast<std::size_t>(o)]);
    centre.Add(from);
    const double length = std::hypot(chord.Re, chord.Im);
    const double radius = discRadius_ * length;
    const int down = -Shift(unit);
    if (DiscMissesBox(centre, radius * radius, std::ldexp(reachLeft_, down), std::ldexp(reachTop_, down),
                   std::ldexp(reachRight_, down), std::ldexp(reachBottom_, down)))
        return Link::None;
    return std::ldexp(length, Shift(unit)) <= rootLength_ ? Link::Done : Link::Open;
}

// The open piece from next_[start] to end becomes its copies: each is
// tested on doubles first, and only the nodes of copies that stay are
// computed, s + (e - s) a(k), exact to far below a pixel at the chord's
// size and no more. True when a copy is open.
bool PreciseRoots::Split(std::size_t start, const Node& end)
{
    const EdgeOrientation o = next_[start].Orientation;
    const std::vector<Complex>& ratios = curve_->Nodes(o);
    const std::size_t n = ratios.size() - 1;
    const long unit = std::max(next_[start].Exponent, end.Exponent);
    near_[0] = InUnit(next_[start], unit);
    near_[n] = InUnit(end, unit);
    Complex chord = near_[n];
    chord.Sub(near_[0]);
    for (std::size_t k = 1; k < n; ++k) {
        near_[k] = chord;
        near_[k].Mul(ratios[k]);
        near_[k].Add(near_[0]);
    }
    bool kept = false;
    for (std::size_t k = 0; k < n; ++k) {
        links_[k] = Test(near_[k], near_[k + 1], curve_->ChildOrientation(o, k), unit);
        kept = kept || links_[k] != Link::None;
    }
    const CurvePlace parent = next_[start].Place;
    next_[start].Next = links_[0];
    next_[start].Orientation = curve_->ChildOrientation(o, 0);
    next_[start].Place = curve_->Shares().Child(parent, 0);
    if (!kept)
        return false;
    const long chordExponent = unit + ExponentOf(std::hypot(chord.Re, chord.Im));
    const mpfr_prec_t bits =
        std::max<mpfr_prec_t>(BigFloat::kMinBits, std::max(chordExponent, reachExponent_) + discBits_ + kGuardBits);
    DivideChord(next_[start].At, end.At, IsMirrored(o), bits);
    mpfr_set_prec(product_.get(), bits);
    bool open = links_[0] == Link::Open;
    for (std::size_t k = 1; k < n; ++k) {
        if (links_[k - 1] == Link::None && links_[k] == Link::None)
            continue;
        const std::size_t at = AppendNew();
        BigComplex& node = next_[at].At;
        const BigComplex& s = next_[start].At;
        const BigComplex& a = absolute_[static_cast<std::size_t>(o)][k];
        mpfr_set_prec(node.Re.get(), bits);
        mpfr_set_prec(node.Im.get(), bits);
        mpfr_fmms(product_.get(), chord_.Re.get(), a.Re.get(), chord_.Im.get(), a.Im.get(), MPFR_RNDN);
        mpfr_add(node.Re.get(), s.Re.get(), product_.get(), MPFR_RNDN);
        mpfr_fmma(product_.get(), chord_.Re.get(), a.Im.get(), chord_.Im.get(), a.Re.get(), MPFR_RNDN);
        mpfr_add(node.Im.get(), s.Im.get(), product_.get(), MPFR_RNDN);
        Approximate(next_[at]);
        next_[at].Next = links_[k];
        next_[at].Orientation = curve_->ChildOrientation(o, k);
        next_[at].Place = curve_->Shares().Child(parent, static_cast<int>(k));
        open = open || links_[k] == Link::Open;
        ++computed_;
        computedBytes_ += 2 * mpfr_custom_get_size(bits);
    }
    return open;
}

// The nodes N(k) as the expansion computes them define the curve, but
// their ratios a(k) = N(k) / N are rarely doubles (1/3 is none): a copy
// placed with a ratio rounded to a double lies off the curve by 2^-53 of
// its chord, many pixels once the chord is 2^60 pixels long. So the chord
// is divided by N in bits, chord_ = (e - s) conj(N) / |N|^2, and node k is
// s + chord_ N(k), both products of the doubles exact. A reversed copy's
// node is s + chord_ (N - N(k)); a mirrored copy's chord is divided by
// conj N instead, chord_ = (e - s) N / |N|^2, and its node is
// s + chord_ conj N(k).
void PreciseRoots::DivideChord(const BigComplex& s, const BigComplex& e, bool mirrored, mpfr_prec_t bits)
{
    const BigComplex& n = absolute_[static_cast<std::size_t>(EdgeOrientation::Normal)].back();
    mpfr_set_prec(difference_.Re.get(), bits);
    mpfr_set_prec(difference_.Im.get(), bits);
    mpfr_sub(difference_.Re.get(), e.Re.get(), s.Re.get(), MPFR_RNDN);
    mpfr_sub(difference_.Im.get(), e.Im.get(), s.Im.get(), MPFR_RNDN);
    mpfr_set_prec(chord_.Re.get(), bits);
    mpfr_set_prec(chord_.Im.get(), bits);
    if (mirrored) {
        mpfr_fmms(chord_.Re.get(), difference_.Re.get(), n.Re.get(), difference_.Im.get(), n.Im.get(), MPFR_RNDN);
        mpfr_fmma(chord_.Im.get(), difference_.Im.get(), n.Re.get(), difference_.Re.get(), n.Im.get(), MPFR_RNDN);
    } else {
        mpfr_fmma(chord_.Re.get(), difference_.Re.get(), n.Re.get(), difference_.Im.get(), n.Im.get(), MPFR_RNDN);
        mpfr_fmms(chord_.Im.get(), difference_.Im.get(), n.Re.get(), difference_.Re.get(), n.Im.get(), MPFR_RNDN);
    }
    mpfr_div(chord_.Re.get(), chord_.Re.get(), endSquare_.get(), MPFR_RNDN);
    mpfr_div(chord_.Im.get(), chord_.Im.get(), endSquare_.get(), MPFR_RNDN);
}

// The roots in the generator's coordinates, exact for the magnifications
// they serve, and the area and magnifications they serve.
void PreciseRoots::Keep(const LimitCurve& curve, const EndlessCamera& camera)
{
    keptRatios_ = curve.Nodes();
    keptEdges_ = curve.Orientations();
    keptEnd_ = curve.End();
    kept_.clear();
    keptJoined_.clear();
    keptOrientations_.clear();
    keptPlaces_.clear();
    keptComplete_ = true;
    double largest = 0.0;
    for (std::size_t i = 0; i < count_; ++i) {
        const bool joined = nodes_[i].Next != Link::None && i + 1 < count_;
        if (!joined && (i == 0 || nodes_[i - 1].Next == Link::None))
            continue;
        kept_.push_back(camera.PointAt(nodes_[i].At, kServeBits));
        keptJoined_.push_back(joined);
        keptOrientations_.push_back(nodes_[i].Orientation);
        keptPlaces_.push_back(nodes_[i].Place);
        keptComplete_ = keptComplete_ && nodes_[i].Next != Link::Open;
        if (!joined)
            continue;
        Complex chord = InUnit(nodes_[i + 1], 0);
        chord.Sub(InUnit(nodes_[i], 0));
        largest = std::max(largest, std::hypot(chord.Re, chord.Im));
    }
    largestRoot_ = BigFloat(largest, kScaleBits) / camera.Scale;
    largestScale_ = camera.Scale;
    mpfr_mul_2si(largestScale_.get(), largestScale_.get(), kServeBits, MPFR_RNDN);
    areaMin_ = camera.PointAt(Complex(reachLeft_, reachTop_));
    areaMax_ = camera.PointAt(Complex(reachRight_, reachBottom_));
    valid_ = true;
}
