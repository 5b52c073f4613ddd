#include "view/frame_capture.h"

#include <algorithm>
#include <cmath>

namespace {

// A window fitted into a pane of the frame's size comes out as wide as the
// frame only up to rounding; such a scale is one, so the frame matches the
// pane pixel for pixel.
constexpr double kUnitScaleTolerance = 1e-9;

} // namespace

double FrameScaleFor(const Complex& windowMin, const Complex& windowMax, int frameWidth, int frameHeight)
{
    const double ww = windowMax.Re - windowMin.Re;
    const double wh = windowMax.Im - windowMin.Im;
    if (ww <= 0 || wh <= 0)
        return 1.0;
    const double scale = std::min(frameWidth / ww, frameHeight / wh);
    return std::abs(scale - 1.0) < kUnitScaleTolerance ? 1.0 : scale;
}
