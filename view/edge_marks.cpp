#include "view/edge_marks.h"

#include "view/canvas.h"

#include <cmath>

namespace {

Complex Along(const Complex& from, const Complex& direction, double length)
{
    Complex p = direction;
    p.MulReal(length);
    p.Add(from);
    return p;
}

// Which side of its chord the generator's nodes lie on, on average: +1 the
// side of i on the chord from 0 to 1, -1 the other, +1 for a straight one.
double BulgeSide(const Complex* nodes, int count, EdgeOrientation o)
{
    Complex chord = nodes[count];
    chord.Sub(nodes[0]);
    Complex mean;
    for (int k = 0; k <= count; ++k) {
        Complex a = nodes[k];
        a.Sub(nodes[0]);
        a.Div(chord);
        mean.Add(a);
    }
    return Apply(o, mean).Im < 0 ? -1.0 : 1.0;
}

} // namespace

void DrawEdgeMarks(Canvas& canvas, const Complex* nodes, int count, const EdgeOrientation* orientations)
{
    for (int k = 0; k < count; ++k) {
        const EdgeOrientation o = orientations[k];
        Complex tangent = nodes[k + 1];
        tangent.Sub(nodes[k]);
        const double length = std::sqrt(tangent.SqrAbs());
        if (o == EdgeOrientation::Normal || length < 1.0)
            continue;
        tangent.DivReal(length);
        const Complex normal(-tangent.Im, tangent.Re);
        Complex middle = nodes[k];
        middle.Add(nodes[k + 1]);
        middle.MulReal(0.5);
        if (IsMirrored(o)) {
            const Complex tick[] = {middle, Along(middle, normal, BulgeSide(nodes, count, o) * kEdgeMarkLength)};
            canvas.Polyline(tick, 2);
        }
        if (IsReversed(o)) {
            const Complex tip = Along(middle, tangent, -kEdgeMarkLength / 2);
            const Complex back = Along(tip, tangent, kEdgeMarkLength);
            const Complex arrow[] = {Along(back, normal, kEdgeMarkLength / 2), tip,
                                     Along(back, normal, -kEdgeMarkLength / 2)};
            canvas.Polyline(arrow, 3);
        }
    }
}
