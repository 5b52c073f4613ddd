#pragma once

#include "view/pixel_rect.h"

class QPainter;

// The outline of a rubber band drawn in any direction, dotted blue, over
// the pixels from its smaller corner up to, not including, its larger one.
void DrawRubberBand(QPainter& painter, const PixelRect& band);
