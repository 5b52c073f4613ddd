#pragma once

#include <QByteArray>
#include <QImage>

// An uncompressed 24-bit Windows bitmap file of the image: bottom-up rows,
// each padded to four bytes, 96 dots per inch.
QByteArray BmpFileBytes(const QImage& image);
