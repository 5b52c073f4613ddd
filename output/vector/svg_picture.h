#pragma once

#include <QByteArray>
#include <QSize>

class ViewPicture;

// An SVG document of the view as it is placed on (0, 0) to size: a view
// box of the size in pixels, shown at 96 pixels to the inch, the
// background as a rectangle, lines as one polyline and points as squares of
// one pixel, with the pen's width.
QByteArray SvgBytes(const ViewPicture& view, QSize size);
