#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>

// A bitmap file counts its bytes in 32 bits.
constexpr std::int64_t kLargestBmpFile = 0xFFFFFFFF;

// The size of the file BmpFileBytes makes for a picture of this size.
std::int64_t BmpFileSize(std::int64_t width, std::int64_t height);

// An uncompressed 24-bit Windows bitmap file of the image: bottom-up rows,
// each padded to four bytes, 96 dots per inch. Throws std::length_error for
// an image whose file would be larger than kLargestBmpFile.
QByteArray BmpFileBytes(const QImage& image);
