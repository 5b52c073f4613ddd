#pragma once

#include <QByteArray>
#include <QImage>

// A baseline JPEG file of the image through libjpeg: three colour components
// from 24-bit RGB (also for a black-and-white picture), the given quality,
// the library's defaults otherwise. Throws std::runtime_error with the
// library's message when compression fails.
QByteArray JpegFileBytes(const QImage& image, int quality);
