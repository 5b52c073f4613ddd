#include "app/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// The handler draws at a ratio of one, in device pixels, so that the views
// write straight into them; only the widget's painter sees the ratio.
void PaintBox::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (picture_.size() != pixels)
        picture_ = QImage(pixels, QImage::Format_RGB32);
    if (picture_.isNull())
        return;
    picture_.setDevicePixelRatio(1.0);
    {
        QPainter painter(&picture_);
        if (OnPaint)
            OnPaint(painter, ratio);
    }
    picture_.setDevicePixelRatio(ratio);
    QPainter(this).drawImage(0, 0, picture_);
}

void PaintBox::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown)
        OnMouseDown(event->button(), event->position().toPoint().x(), event->position().toPoint().y());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (OnMouseUp)
        OnMouseUp(event->button(), event->position().toPoint().x(), event->position().toPoint().y());
}

// A pane without a wheel handler leaves the wheel to its parents.
void PaintBox::wheelEvent(QWheelEvent* event)
{
    constexpr double kEighthsOfADegreePerNotch = 120.0;
    if (!OnWheel) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    OnWheel(at.x(), at.y(), event->angleDelta().y() / kEighthsOfADegreePerNotch);
}

void PaintBox::resizeEvent(QResizeEvent*)
{
    if (OnResize)
        OnResize();
}
