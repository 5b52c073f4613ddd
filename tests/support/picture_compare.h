#pragma once

#include <QImage>
#include <QRect>

#include <cmath>
#include <limits>

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

// The peak signal-to-noise ratio of b against a over a's area, in decibels,
// over red, green and blue; infinite for the same pixels.
inline double Psnr(const QImage& a, const QImage& b)
{
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                squares += d * d;
        }
    const double mean = squares / (3.0 * a.width() * a.height());
    return mean == 0 ? std::numeric_limits<double>::infinity() : 10 * std::log10(255.0 * 255.0 / mean);
}

// How many pixels have exactly this colour.
inline int PixelsOf(const QImage& picture, QRgb colour)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            count += rgb.pixel(x, y) == colour;
    return count;
}

// How many pixels differ in value (a file read back may carry a colour
// space of its own, which does not count); -1 when the sizes differ.
inline int DifferentPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

// The share of a's pixels of this colour that have one in b within a pixel
// (or at the same place); 1 when a has none.
inline double ShareNear(const QImage& a, const QImage& b, QRgb colour)
{
    int count = 0, near = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != colour)
                continue;
            ++count;
            const QRect around = QRect(x - 1, y - 1, 3, 3).intersected(b.rect());
            bool found = false;
            for (int v = around.top(); v <= around.bottom() && !found; ++v)
                for (int u = around.left(); u <= around.right() && !found; ++u)
                    found = b.pixel(u, v) == colour;
            near += found;
        }
    return count == 0 ? 1.0 : static_cast<double>(near) / count;
}
