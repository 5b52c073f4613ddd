#pragma once

#include <QImage>
#include <QPainter>

// A 32-bit frame of 200 black lines on white, about as busy as a curve.
inline QImage LinePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    for (int i = 0; i < 200; ++i)
        painter.drawLine(i * 9, 0, width - 1 - i * 5, height - 1);
    return picture;
}
