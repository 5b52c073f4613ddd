#pragma once

#include "model/complex.h"

class FractViewer;
class QImage;

// The factor from pane pixels to frame pixels that fits the view window
// (windowMin to windowMax, in pane pixels) into a frame of the given size;
// 1 when the window has no width or no height.
double FrameScaleFor(const Complex& windowMin, const Complex& windowMax, int frameWidth, int frameHeight);

// Draws the viewer's picture, scaled by frameScale about the pane's top-left
// corner, into frame, which is cleared with the background first. The viewer
// is mapped there and back in place; its Scale and Offset come back exactly,
// its points up to rounding.
void DrawFrame(FractViewer& viewer, bool lines, double frameScale, QImage& frame);
