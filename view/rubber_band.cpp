#include "view/rubber_band.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor kRubberBandColor(0, 0, 255);

} // namespace

void DrawRubberBand(QPainter& painter, const PixelRect& band)
{
    const int left = std::min(band.Left, band.Right), right = std::max(band.Left, band.Right);
    const int top = std::min(band.Top, band.Bottom), bottom = std::max(band.Top, band.Bottom);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kRubberBandColor, 1, Qt::DotLine));
    painter.drawRect(QRect(left, top, std::max(right - left - 1, 0), std::max(bottom - top - 1, 0)));
    painter.setPen(Qt::SolidLine);
}
