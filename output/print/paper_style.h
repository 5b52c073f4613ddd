#pragma once

#include "view/curve_style.h"

// Points are printed as dots of this radius in printer pixels; single pixels
// would be too small on paper.
constexpr int kPrintDotRadius = 5;

// The pane's style as it goes on paper: points become dots, and without the
// background the paper stays white and a white curve turns black, so that
// it does not vanish on it.
CurveStyle PaperStyle(CurveStyle pane, bool background);
