#pragma once

#include "model/complex.h"

// The factor from pane pixels to frame pixels that fits the view window
// (windowMin to windowMax, in pane pixels) into a frame of the given size;
// 1 when the window has no width or no height.
double FrameScaleFor(const Complex& windowMin, const Complex& windowMax, int frameWidth, int frameHeight);
