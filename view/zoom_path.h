#pragma once

#include "model/complex.h"

// The animated zoom moves the view in equal geometric steps: each step
// scales by q = s^(1/N) about the point the whole zoom (scale s, offset o)
// leaves in place, so N steps make exactly the whole zoom.
struct ZoomStepMapping {
    double Scale = 1.0;
    Complex Offset;
};

// Step counts below one count as one.
int ZoomStepCount(int zoomSteps);

// The step of a zoom whose whole mapping is scale and offset, in steps
// steps (at least one).
ZoomStepMapping GeometricZoomStep(double scale, const Complex& offset, int steps);
