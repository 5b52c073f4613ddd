#pragma once

#include "model/complex.h"
#include "model/edge_orientation.h"

class Canvas;

// How long the editor's marks of an oriented edge are, in pixels.
constexpr double kEdgeMarkLength = 6.0;

// Marks every edge of the polyline through nodes[0 … count] that is not
// normal, at its middle, with the canvas's pen: a mirrored edge a tick on
// the side its copy bulges to (the side of the copy's nodes' mean), a
// reversed edge an arrowhead pointing back to its start, where its copy
// begins. Normal edges get no mark.
void DrawEdgeMarks(Canvas& canvas, const Complex* nodes, int count, const EdgeOrientation* orientations);
