#pragma once

#include "output/metafile/gdi_style.h"

#include <QPoint>

#include <variant>
#include <vector>

// What a painter drew on a metafile device, in device pixels, before it is
// written in either metafile format.

struct DrawnShape {
    enum class Kind { Rectangle, Ellipse };
    Kind Shape = Kind::Rectangle;
    GdiBox Box;
    GdiPen Pen;
    GdiBrush Brush;
};

struct DrawnPolyline {
    std::vector<QPoint> Points;
    GdiPen Pen;
};

// One pixel each, in the pen's colour.
struct DrawnPixels {
    std::vector<QPoint> Points;
    ColorRef Color = kBlack;
};

using DrawnItem = std::variant<DrawnShape, DrawnPolyline, DrawnPixels>;
using MetafileDrawing = std::vector<DrawnItem>;
