#include "output/metafile/gdi_style.h"

#include <algorithm>
#include <cmath>

GdiPen GdiPenOf(const QPen& pen, double widthScale)
{
    const double width = pen.isCosmetic() ? pen.widthF() : pen.widthF() * widthScale;
    return {pen.style() != Qt::NoPen, FromQColor(pen.color()), std::max(1, static_cast<int>(std::lround(width)))};
}

GdiBrush GdiBrushOf(const QBrush& brush)
{
    return {brush.style() != Qt::NoBrush, FromQColor(brush.color())};
}
