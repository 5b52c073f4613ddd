#pragma once

#include <QImage>
#include <QRect>

// The smallest rectangle around the picture's dark pixels: where a reader
// that renders with its own smoothing put the curve.
inline QRect DarkBox(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (qGray(rgb.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}
