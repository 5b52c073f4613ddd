#include "view/fract_editor.h"

#include "view/canvas.h"
#include "view/edge_marks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

FractEditor::FractEditor(FractModel& model, int capacity) : FractViewer(model, capacity)
{
    BgColor = kButtonFaceColor;
}

void FractEditor::Paint(QPainter& painter)
{
    Canvas canvas(painter, pixelScratch_);
    PrepareCanvas(canvas);
    canvas.Polyline(Points.data(), PointCount);
    if (Model.Oriented())
        DrawEdgeMarks(canvas, Points.data(), Shown(), Model.Orientations.data());
    canvas.SetBrushColor(kWhite);
    if (PointCount > 1)
        canvas.Ellipses(Points.data() + 1, PointCount - 1, NodeRadius);
}

void FractEditor::HitTest(int x, int y)
{
    PickedNode = 0;
    const double radius2 = static_cast<double>(NodeRadius) * NodeRadius;
    for (int k = std::min(Model.Count, PointCount - 1); k >= 1 && PickedNode == 0; --k) {
        scratch_.Assign(Points[k]);
        scratch_.Sub(Complex(x, y));
        if (scratch_.SqrAbs() < radius2)
            PickedNode = k;
    }
}

int FractEditor::EdgeAt(int x, int y) const
{
    int nearest = -1;
    double best = kEdgeReach * kEdgeReach;
    for (int k = 0; k < Shown(); ++k) {
        Complex edge = Points[k + 1];
        edge.Sub(Points[k]);
        Complex to(x, y);
        to.Sub(Points[k]);
        const double length2 = edge.SqrAbs();
        const double along = length2 > 0 ? std::clamp((to.Re * edge.Re + to.Im * edge.Im) / length2, 0.0, 1.0) : 0.0;
        to.Sub(Complex(edge.Re * along, edge.Im * along));
        if (to.SqrAbs() <= best) {
            best = to.SqrAbs();
            nearest = k;
        }
    }
    return nearest;
}

void FractEditor::DragTo(int x, int y)
{
    const int k = PickedNode;
    if (k < 1 || k >= PointCount)
        return;
    Complex old(Points[k]);
    old.Sub(Points[k - 1]);
    Complex r(x, y);
    r.Sub(Points[k - 1]);
    r.Div(old);
    // The mouse on node k-1, or an edge of no length, would make the items
    // zero for good; such a move is left out.
    if (r.SqrAbs() == 0.0)
        return;
    Model.Items[k - 1].Mul(r);
    if (k < Model.Count)
        Model.Items[k].Div(r);
    else
        Model.Items[k - 1].DivReal(std::sqrt(r.SqrAbs()));
    Recalculate();
    Transform();
}

namespace {

// The raster direction nearest to u: the first of the candidates
// step, step^2, ..., step^n that beats every earlier one. Returns the
// conjugate of the choice, as the candidates turn u the other way.
Complex NearestRasterDirection(const Complex& u, const Complex& step, int n)
{
    Complex candidate(step);
    Complex choice(step);
    bool accepted = false;
    double bestIm = 0.0;
    for (int j = 1; j <= n; ++j) {
        if (j > 1)
            candidate.Mul(step);
        Complex q(u);
        q.Mul(candidate);
        if (q.Re > 0 && (!accepted || std::fabs(q.Im) < bestIm)) {
            accepted = true;
            bestIm = std::fabs(q.Im);
            choice.Assign(candidate);
        }
    }
    return Complex(choice.Re, -choice.Im);
}

} // namespace

void FractEditor::SnapToRaster()
{
    if (AngRaster < 2 && LenRaster < 1)
        return;
    Complex step;
    if (AngRaster >= 2) {
        const double theta = 2 * std::numbers::pi / AngRaster;
        step.SetTo(std::cos(theta), std::sin(theta));
    }
    double lengthBefore = 1.0; // P: edge i's length before snapping
    double lastSnapped = 1.0;  // W: the snapped length of the edge before
    const int count = Model.Count;
    for (int i = 0; i < count; ++i) {
        Complex& item = Model.Items[i];
        const double m = std::sqrt(item.SqrAbs());
        lengthBefore = lengthBefore * m;
        Complex u(item);
        u.DivReal(m);
        Complex d = AngRaster >= 2 ? NearestRasterDirection(u, step, AngRaster) : u;
        if (LenRaster < 1) {
            d.MulReal(m);
        } else if (i < count - 1) {
            const double n = std::max(std::nearbyint(LenRaster * lengthBefore), 1.0);
            const double w = n / LenRaster;
            d.MulReal(w / lastSnapped);
            lastSnapped = w;
        } else {
            d.DivReal(lastSnapped);
        }
        item.Assign(d);
    }
}
