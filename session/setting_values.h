#pragma once

#include "view/color_ref.h"
#include "view/curve_coloring.h"

// The values that persist between runs, with their defaults: the fourteen
// of the design, then those added since.
struct SettingValues {
    ColorRef BgColor = kWhite;
    ColorRef FgColor = kBlack;
    int PenWidth = 1;
    int ZoomSteps = 60;
    int ZoomDelay = 15;
    bool ZoomAnimation = true;
    int AngRaster = 0;
    int LenRaster = 0;
    int MinNodes = 3;
    int MaxNodes = 5;
    double MinLength = 0.5;
    double MaxLength = 2.0;
    int ExportWidth = 256;
    int ExportHeight = 256;
    bool Antialiasing = false;
    // The fractal pane shows the limit curve, refined to its pixels at any
    // magnification.
    bool EndlessZoom = false;
    // The curve's colours along its length or by edge, instead of FgColor.
    CurveColoring Coloring = {};

    friend bool operator==(const SettingValues&, const SettingValues&) = default;
};
