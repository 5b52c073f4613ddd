#pragma once

#include <QIODevice>
#include <QRgb>

#include <cstdint>
#include <functional>

// A bitmap file counts its bytes in 32 bits.
constexpr std::int64_t kLargestBmpFile = 0xFFFFFFFF;

// The size of the file WriteBmp makes for a picture of this size.
std::int64_t BmpFileSize(std::int64_t width, std::int64_t height);

// Writes an uncompressed 24-bit Windows bitmap file, 96 dots per inch: the
// headers, then the rows that row(y) hands out, from the bottom row up, each
// padded to four bytes. Throws std::length_error for a picture whose file
// would be larger than kLargestBmpFile, FileWriteError when writing fails.
void WriteBmp(QIODevice& out, int width, int height, const std::function<const QRgb*(int y)>& row);
