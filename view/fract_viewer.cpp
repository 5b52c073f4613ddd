#include "view/fract_viewer.h"

#include "view/canvas.h"
#include "view/curve_drawing.h"

#include <algorithm>

FractViewer::FractViewer(FractModel& model, int capacity)
    : Model(model), Points(static_cast<std::size_t>(std::max(capacity, 1))),
      pixelScratch_(static_cast<std::size_t>(std::max(capacity, 1)))
{
}

void FractViewer::Recalculate()
{
    Level = -1;
    Points[0].SetTo(0, 0);
    PointCount = 1;
    BoundsMin.SetTo(0, 0);
    BoundsMax.SetTo(0, 0);
    Direction.SetTo(1, 0);
    Expand();
    ResetWindow();
}

namespace {

// The running values of one expansion. They live in locals rather than in
// the viewer's fields, which the stored points could alias, so that the
// compiler keeps them in registers.
struct Walk {
    Complex direction;
    Complex last;
    Complex min;
    Complex max;
    Complex* points;
    int count;

    void Leaf()
    {
        last.Add(direction);
        points[count++] = last;
        if (last.Re < min.Re)
            min.Re = last.Re;
        else if (last.Re > max.Re)
            max.Re = last.Re;
        if (last.Im < min.Im)
            min.Im = last.Im;
        else if (last.Im > max.Im)
            max.Im = last.Im;
    }
};

// The copies of a generator whose edges are all normal: the running
// direction is multiplied by the items themselves.
struct NormalCopies {
    const Complex* items;

    const Complex* Steps(int /*height*/, EdgeOrientation /*o*/) const { return items; }
    EdgeOrientation Child(EdgeOrientation /*o*/, int /*j*/) const { return EdgeOrientation::Normal; }
};

// Depth-first over the tree of edge copies, without recursion: nextEdge
// holds the next child to descend into on each level, orientation the
// orientation of the copy on that level. The running direction is
// multiplied by the copies' steps on the way down and never restored,
// exactly as a recursive expansion would leave it.
template <typename Copies>
void WalkCopies(const Copies& copies, int depth, int count, int limit, int* nextEdge, EdgeOrientation* orientation,
                Walk& w)
{
    int level = 0;
    nextEdge[0] = 0;
    orientation[0] = EdgeOrientation::Normal;
    for (;;) {
        if (level == depth - 1) {
            // The deepest inner level: each child gives one point.
            const Complex* steps = copies.Steps(1, orientation[level]);
            for (int i = 0; i < count && w.count < limit; ++i) {
                w.direction.Mul(steps[i]);
                w.Leaf();
            }
        } else if (nextEdge[level] < count && w.count < limit) {
            const int j = nextEdge[level]++;
            const EdgeOrientation o = orientation[level];
            w.direction.Mul(copies.Steps(depth - level, o)[j]);
            orientation[level + 1] = copies.Child(o, j);
            nextEdge[++level] = 0;
            continue;
        }
        if (level == 0)
            break;
        --level;
    }
}

} // namespace

void FractViewer::Expand()
{
    const int depth = std::clamp(Depth, 0, kMaxLevels);
    const int limit = Capacity() - 1;
    const int count = Model.Count;
    Walk w{Direction, Points[PointCount - 1], BoundsMin, BoundsMax, Points.data(), PointCount};
    if (depth == 0) {
        if (w.count < limit)
            w.Leaf();
    } else if (!Model.Oriented()) {
        WalkCopies(NormalCopies{Model.Items.data()}, depth, count, limit, nextEdge_.data(), orientation_.data(), w);
    } else {
        orientedSteps_.Prepare(Model, depth);
        WalkCopies(orientedSteps_, depth, count, limit, nextEdge_.data(), orientation_.data(), w);
        w.direction.Mul(orientedSteps_.Closing(depth));
    }
    Direction.Assign(w.direction);
    BoundsMin.Assign(w.min);
    BoundsMax.Assign(w.max);
    PointCount = w.count;
}

void FractViewer::SetWindow(Complex& a, Complex& b)
{
    WindowMin = &a;
    WindowMax = &b;
}

void FractViewer::ResetWindow()
{
    SetWindow(BoundsMin, BoundsMax);
}

void FractViewer::SetRect(const PixelRect& rect)
{
    TargetRect = rect;
    const ViewMapping fit = FitMapping(rect);
    Scale = fit.Scale;
    Offset = fit.Offset;
}

ViewMapping FractViewer::FitMapping(const PixelRect& rect) const
{
    const Complex corner(rect.Left, rect.Top);
    // Extents below one count as one, so the divisions below stay sound.
    const double width = std::max(static_cast<double>(rect.Right) - rect.Left, 1.0);
    const double height = std::max(static_cast<double>(rect.Bottom) - rect.Top, 1.0);
    const double windowWidth = std::max(WindowMax->Re - WindowMin->Re, 1.0);
    const double windowHeight = std::max(WindowMax->Im - WindowMin->Im, 1.0);

    const bool windowIsWider = width / height < windowWidth / windowHeight;
    ViewMapping fit;
    fit.Scale = windowIsWider ? width / windowWidth : height / windowHeight;
    Complex shift(*WindowMin);
    shift.MulReal(fit.Scale);
    fit.Offset.Assign(corner);
    fit.Offset.Sub(shift);
    if (windowIsWider)
        fit.Offset.Im = fit.Offset.Im + (height - windowHeight * fit.Scale) / 2;
    else
        fit.Offset.Re = fit.Offset.Re + (width - windowWidth * fit.Scale) / 2;
    return fit;
}

void FractViewer::Transform()
{
    MapPoint(*WindowMin);
    MapPoint(*WindowMax);
    if (!WindowIsBounds()) {
        MapPoint(BoundsMin);
        MapPoint(BoundsMax);
    }
    const double scale = Scale;
    const double offsetRe = Offset.Re;
    const double offsetIm = Offset.Im;
    Complex* p = Points.data();
    for (int i = 0; i < PointCount; ++i) {
        p[i].Re = p[i].Re * scale + offsetRe;
        p[i].Im = p[i].Im * scale + offsetIm;
    }
}

void FractViewer::PrepareCanvas(Canvas& canvas)
{
    canvas.SetBrushColor(BgColor);
    canvas.FillRect(TargetRect);
    canvas.SetPen(FgColor, PenWidth);
}

CurveStyle FractViewer::Style(bool lines) const
{
    return {BgColor, FgColor, PenWidth, lines ? CurveStyle::Marks::Lines : CurveStyle::Marks::Pixels, 0};
}

void FractViewer::Draw(QPainter& painter, CurveStyle::Marks shape, int dotRadius)
{
    const CurveStyle style{BgColor, FgColor, PenWidth, shape, dotRadius};
    DrawStyledCurve(painter, Points.data(), PointCount, TargetRect, style, pixelScratch_);
}

void FractViewer::DrawLines(QPainter& painter)
{
    Draw(painter, CurveStyle::Marks::Lines);
}

void FractViewer::DrawPoints(QPainter& painter)
{
    Draw(painter, CurveStyle::Marks::Pixels);
}

void FractViewer::DrawCurve(QPainter& painter, bool lines)
{
    Draw(painter, lines ? CurveStyle::Marks::Lines : CurveStyle::Marks::Pixels);
}

void FractViewer::DrawDots(QPainter& painter, int radius)
{
    Draw(painter, CurveStyle::Marks::Dots, radius);
}
