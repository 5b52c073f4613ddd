#include "view/zoom_path.h"

#include <algorithm>
#include <cmath>

int ZoomStepCount(int zoomSteps)
{
    return std::max(zoomSteps, 1);
}

// The offsets of N steps add up to o * (1 + q + ... + q^(N-1)), so each step
// takes o * (1 - q) / (1 - q^N); without any scaling, o / N.
ZoomStepMapping GeometricZoomStep(double scale, const Complex& offset, int steps)
{
    ZoomStepMapping step;
    step.Scale = std::pow(scale, 1.0 / steps);
    step.Offset = offset;
    if (step.Scale == 1.0)
        step.Offset.DivReal(steps);
    else
        step.Offset.MulReal((1 - step.Scale) / (1 - std::pow(step.Scale, steps)));
    return step;
}
