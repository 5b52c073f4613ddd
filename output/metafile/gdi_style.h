#pragma once

#include "view/color_ref.h"

#include <QBrush>
#include <QPen>

// A pen as a metafile creates it. Every visible pen is solid: the views draw
// no dashes, and GDI gives pens wider than one pixel round ends and joins.
struct GdiPen {
    bool Visible = true;
    ColorRef Color = kBlack;
    int Width = 1;

    friend bool operator==(const GdiPen&, const GdiPen&) = default;
};

// A brush as a metafile creates it: solid or none.
struct GdiBrush {
    bool Visible = true;
    ColorRef Color = kBlack;

    friend bool operator==(const GdiBrush&, const GdiBrush&) = default;
};

// A rectangle as GDI's shape calls take it: the right and bottom edges are
// where the shape ends, not its last pixel.
struct GdiBox {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend bool operator==(const GdiBox&, const GdiBox&) = default;
};

// widthScale is how much the painter's transform enlarges a non-cosmetic
// pen; the width never drops below one pixel.
GdiPen GdiPenOf(const QPen& pen, double widthScale);
// Patterns and gradients become their colour.
GdiBrush GdiBrushOf(const QBrush& brush);
