#pragma once

#include <QByteArray>
#include <QSize>

class ViewPicture;

// The largest page side a PDF reader must show, in points (200 inches).
constexpr int kLargestPdfPageSide = 14400;

// Whether a page of size pixels stays within the readers' limit.
bool PdfHolds(QSize size);

// A one-page PDF document of the view as it is placed on (0, 0) to size,
// vector throughout: the background as a rectangle, lines as one path,
// points as squares of one pixel. A pixel is a point, so that the page is
// exactly the picture (pages are whole points).
QByteArray PdfBytes(const ViewPicture& view, QSize size);
