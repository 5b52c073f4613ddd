#include "view/fract_viewer.h"

#include "view/canvas.h"

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

} // namespace

// Depth-first over the tree of edge copies, without recursion: nextEdge_
// holds the next edge to descend into on each level. The running direction
// is multiplied by every edge on the way down and never restored, exactly as
// a recursive expansion would leave it.
void FractViewer::Expand()
{
    const int depth = std::clamp(Depth, 0, kMaxLevels);
    const int limit = Capacity() - 1;
    const int count = Model.Count;
    const Complex* items = Model.Items.data();
    Walk w{Direction, Points[PointCount - 1], BoundsMin, BoundsMax, Points.data(), PointCount};
    if (depth == 0) {
        if (w.count < limit)
            w.Leaf();
    } else {
        int level = 0;
        nextEdge_[0] = 0;
        for (;;) {
            if (level == depth - 1) {
                // The deepest inner level: each edge gives one point.
                for (int i = 0; i < count && w.count < limit; ++i) {
                    w.direction.Mul(items[i]);
                    w.Leaf();
                }
            } else if (nextEdge_[level] < count && w.count < limit) {
                w.direction.Mul(items[nextEdge_[level]++]);
                nextEdge_[++level] = 0;
                continue;
            }
            if (level == 0)
                break;
            --level;
        }
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
    const Complex corner(rect.Left, rect.Top);
    // Extents below one count as one, so the divisions below stay sound.
    const double width = std::max(static_cast<double>(rect.Right) - rect.Left, 1.0);
    const double height = std::max(static_cast<double>(rect.Bottom) - rect.Top, 1.0);
    const double windowWidth = std::max(WindowMax->Re - WindowMin->Re, 1.0);
    const double windowHeight = std::max(WindowMax->Im - WindowMin->Im, 1.0);

    const bool windowIsWider = width / height < windowWidth / windowHeight;
    Scale = windowIsWider ? width / windowWidth : height / windowHeight;
    Complex shift(*WindowMin);
    shift.MulReal(Scale);
    Offset.Assign(corner);
    Offset.Sub(shift);
    if (windowIsWider)
        Offset.Im = Offset.Im + (height - windowHeight * Scale) / 2;
    else
        Offset.Re = Offset.Re + (width - windowWidth * Scale) / 2;
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

void FractViewer::DrawLines(QPainter& painter)
{
    Canvas canvas(painter, pixelScratch_);
    PrepareCanvas(canvas);
    canvas.Polyline(Points.data(), PointCount);
}

void FractViewer::DrawPoints(QPainter& painter)
{
    Canvas canvas(painter, pixelScratch_);
    PrepareCanvas(canvas);
    canvas.Pixels(Points.data(), PointCount);
}

void FractViewer::DrawCurve(QPainter& painter, bool lines)
{
    if (lines)
        DrawLines(painter);
    else
        DrawPoints(painter);
}

void FractViewer::DrawDots(QPainter& painter, int radius)
{
    Canvas canvas(painter, pixelScratch_);
    PrepareCanvas(canvas);
    canvas.SetBrushColor(FgColor);
    canvas.Ellipses(Points.data(), PointCount, radius);
}
