#pragma once

#include "view/curve_style.h"
#include "view/tiled_tracer.h"

#include <vector>

class QPainter;

// Draws a traced picture tile by tile where the painter's device shows it,
// each tile's background and curve within the tile only, as DrawStyledRuns
// draws a whole picture. On a plain 32-bit or one-bit image the tiles are
// drawn on the thread pool, each on its own view of the image's pixels; on
// any other device one after the other, clipped.
void DrawTiles(QPainter& painter, TiledTracer& tracer, const CurveStyle& style);
