#include "app/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent*)
{
    if (picture_.size() != size())
        picture_ = QImage(size(), QImage::Format_RGB32);
    if (picture_.isNull())
        return;
    {
        QPainter painter(&picture_);
        if (OnPaint)
            OnPaint(painter);
    }
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
