#pragma once

#include "output/metafile/metafile_drawing.h"

#include <QRect>
#include <QSize>

// The pixels an item covers, inclusive on every side, pens included; a null
// rectangle for an empty set of points.
QRect DrawnBounds(const DrawnShape& shape);
QRect DrawnBounds(const DrawnPolyline& polyline);
QRect DrawnBounds(const DrawnPixels& pixels);

// What shows of the whole drawing on a picture of the given size.
QRect DrawingBounds(const MetafileDrawing& drawing, QSize picture);
