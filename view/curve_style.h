#pragma once

#include "view/color_ref.h"
#include "view/curve_coloring.h"

// How a curve is drawn: its colours, its pen, and what marks its points
// make. A coloring other than one colour draws the curve in its colours
// instead of the foreground. The pane draws lines or single pixels; a printed page shows points
// as dots, single pixels being too small on paper.
struct CurveStyle {
    enum class Marks { Lines, Pixels, Dots };

    ColorRef Background = kWhite;
    ColorRef Foreground = kBlack;
    int PenWidth = 1;
    Marks Shape = Marks::Lines;
    // Dots only: the radius in the picture's pixels.
    int DotRadius = 0;
    // Smoothed edges where the picture has pixels (pictures, pages); vector
    // documents keep their exact geometry.
    bool Antialiased = false;
    CurveColoring Coloring = {};
};
