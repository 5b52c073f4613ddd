#pragma once

#include <QByteArray>
#include <QImage>

#include <functional>

// A baseline JPEG file of the image through libjpeg: three colour components
// from 24-bit RGB (also for a black-and-white picture), the given quality,
// the library's defaults otherwise. Throws std::runtime_error with the
// library's message when compression fails.
QByteArray JpegFileBytes(const QImage& image, int quality);

// The same from rows handed out one at a time, top down: row(y, rgb) fills
// rgb with the 3 * width bytes of row y.
using RgbRowSource = std::function<void(int y, unsigned char* rgb)>;
QByteArray JpegFileBytes(int width, int height, int quality, const RgbRowSource& row);
