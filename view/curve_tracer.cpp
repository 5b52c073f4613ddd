#include "view/curve_tracer.h"

#include "view/endless_camera.h"
#include "view/limit_curve.h"

#include <algorithm>
#include <cmath>

void CurveTracer::Trace(const LimitCurve& curve, const EndlessCamera& camera, const PixelRect& rect,
                        const TraceLimits& limits, TracedCurve& out)
{
    Prepare(curve, rect, limits);
    precise_.Find(curve, camera, rect, limits.Margin, roots_);
    Refine(out);
}

void CurveTracer::TraceFrom(const LimitCurve& curve, const TraceRoots& roots, const PixelRect& rect,
                            const TraceLimits& limits, TracedCurve& out)
{
    Prepare(curve, rect, limits);
    roots_ = roots;
    Refine(out);
}

void CurveTracer::TraceFrom(const LimitCurve& curve, const TraceRoots& roots, const PixelRect& rect,
                            const TraceLimits& limits, TracedCurve& out, TracePartSink& sink)
{
    sink_ = &sink;
    TraceFrom(curve, roots, rect, limits, out);
    sink_ = nullptr;
}

void CurveTracer::Refine(TracedCurve& out)
{
    out.Complete = roots_.Complete;
    // A picture over the budget is most likely followed by another (the
    // next step of a zoom): its depth is counted first, not after a descent
    // given up at the budget.
    const int cap = overBudget_ ? DepthWithinBudget() : kNoCap;
    overBudget_ = cap != kNoCap || !Descend(kNoCap, out);
    if (overBudget_) {
        out.Complete = false;
        Descend(cap != kNoCap ? cap : DepthWithinBudget(), out);
    }
}

void CurveTracer::Prepare(const LimitCurve& curve, const PixelRect& rect, const TraceLimits& limits)
{
    curve_ = &curve;
    count_ = curve.Nodes().size() - 1;
    nodes_.resize(count_ + 1);
    for (std::size_t o = 0; o < discCentres_.size(); ++o)
        discCentres_[o] = Apply(static_cast<EdgeOrientation>(o), curve.DiscCentre());
    discRadius_ = curve.DiscRadius();
    left_ = rect.Left - limits.Margin;
    top_ = rect.Top - limits.Margin;
    right_ = rect.Right + limits.Margin;
    bottom_ = rect.Bottom + limits.Margin;
    pieceLength2_ = limits.PieceLength * limits.PieceLength;
    budget_ = limits.Budget;
    colors_ = limits.Colors;
    shares_ = &curve.Shares();
}

CurveTracer::Place CurveTracer::Placed(const Complex& start, const Complex& chord, EdgeOrientation o) const
{
    Complex centre = chord;
    centre.Mul(discCentres_[static_cast<std::size_t>(o)]);
    centre.Add(start);
    const double radius2 = discRadius_ * discRadius_ * chord.SqrAbs();
    if (DiscMissesBox(centre, radius2, left_, top_, right_, bottom_))
        return Place::Outside;
    const double radius = std::sqrt(radius2);
    const bool inside = centre.Re - radius >= left_ && centre.Re + radius <= right_ && centre.Im - radius >= top_
                        && centre.Im + radius <= bottom_;
    return inside ? Place::Inside : Place::Across;
}

// A piece whose disc lies inside the picture has its copies there too: they
// need no test of their own.
bool CurveTracer::Keeps(Piece& piece) const
{
    if (piece.Inside)
        return true;
    Complex chord = piece.End;
    chord.Sub(piece.Start);
    const Place place = Placed(piece.Start, chord, piece.Orientation);
    piece.Inside = place == Place::Inside;
    return place != Place::Outside;
}

void CurveTracer::Split(const Complex& s, const Complex& e, EdgeOrientation o)
{
    Complex chord = e;
    chord.Sub(s);
    const std::size_t n = count_;
    const std::vector<Complex>& ratios = curve_->Nodes(o);
    nodes_[0] = s;
    for (std::size_t k = 1; k < n; ++k) {
        nodes_[k] = chord;
        nodes_[k].Mul(ratios[k]);
        nodes_[k].Add(s);
    }
    nodes_[n] = e;
}

// Consecutive pieces share their node exactly, so a piece that starts where
// the last one ended continues its polyline.
void CurveTracer::Emit(const Piece& piece, TracedCurve& out) const
{
    const Complex& start = piece.Start;
    const bool continues = !out.Points.empty() && out.Points.back().Re == start.Re && out.Points.back().Im == start.Im;
    if (!continues) {
        out.RunStarts.push_back(static_cast<int>(out.Points.size()));
        out.Points.push_back(start);
    }
    out.Points.push_back(piece.End);
    ++out.Segments;
    if (!colors_)
        return;
    const std::uint8_t color = colors_->IndexOf(*shares_, piece.Place);
    if (!continues)
        out.Colors.push_back(color);
    out.Colors.push_back(color);
}

bool CurveTracer::Descend(int cap, TracedCurve& out)
{
    out.Points.clear();
    out.RunStarts.clear();
    out.Colors.clear();
    out.Segments = 0;
    if (sink_)
        sink_->Restart();
    const std::size_t n = count_;
    const std::vector<Complex>& roots = roots_.Points;
    for (std::size_t i = 0; i + 1 < roots.size(); ++i) {
        if (!roots_.Joined[i])
            continue;
        stack_.clear();
        stack_.push_back({roots[i], roots[i + 1], 0, false, roots_.Orientations[i], roots_.Places[i]});
        while (!stack_.empty()) {
            Piece piece = stack_.back();
            stack_.pop_back();
            if (!Keeps(piece))
                continue;
            if (Small(piece) || piece.Depth >= cap) {
                Emit(piece, out);
                if (cap == kNoCap && out.Segments > budget_)
                    return false;
                if (sink_ && out.Points.size() >= kTracePartPoints)
                    HandOver(out);
                continue;
            }
            Split(piece.Start, piece.End, piece.Orientation);
            for (std::size_t k = n; k-- > 0;)
                stack_.push_back({nodes_[k], nodes_[k + 1], piece.Depth + 1, piece.Inside,
                                  curve_->ChildOrientation(piece.Orientation, k),
                                  colors_ ? shares_->Child(piece.Place, static_cast<int>(k)) : CurvePlace{}});
        }
    }
    if (sink_)
        HandOver(out);
    return true;
}

void CurveTracer::HandOver(TracedCurve& out) const
{
    sink_->Take(out);
    out.Points.clear();
    out.RunStarts.clear();
    out.Colors.clear();
}

// The deepest level below the roots at which drawing every piece still
// open gives no more than the budget: level by level, counting the pieces
// finished (small) and still open, keeping only the open ones.
int CurveTracer::DepthWithinBudget()
{
    level_.clear();
    long finished = 0;
    const std::vector<Complex>& roots = roots_.Points;
    for (std::size_t i = 0; i + 1 < roots.size(); ++i) {
        Piece root{roots[i], roots[i + 1], 0, false, roots_.Orientations[i], {}};
        if (!roots_.Joined[i] || !Keeps(root))
            continue;
        if (Small(root))
            ++finished;
        else
            level_.push_back(root);
    }
    const std::size_t n = count_;
    for (int depth = 0; !level_.empty(); ++depth) {
        nextLevel_.clear();
        long finishing = 0;
        for (const Piece& piece : level_) {
            Split(piece.Start, piece.End, piece.Orientation);
            for (std::size_t k = 0; k < n; ++k) {
                Piece child{nodes_[k], nodes_[k + 1], depth + 1, piece.Inside,
                            curve_->ChildOrientation(piece.Orientation, k), {}};
                if (!Keeps(child))
                    continue;
                if (Small(child))
                    ++finishing;
                else
                    nextLevel_.push_back(child);
                if (finished + finishing + static_cast<long>(nextLevel_.size()) > budget_)
                    return depth;
            }
        }
        finished += finishing;
        std::swap(level_, nextLevel_);
    }
    return kNoCap;
}
