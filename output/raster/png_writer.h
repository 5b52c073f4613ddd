#pragma once

#include <QByteArray>
#include <QRgb>

#include <functional>

// The rows of a picture, top down; each valid until the next call.
using RowSource = std::function<const QRgb*(int y)>;

// A PNG file of the picture through libpng, lossless: the pixels with a
// palette of as few bits as hold them when the picture has at most 256
// colours (a drawing without smoothing has two), 24-bit colour otherwise.
// The rows are read twice, first to count the colours. Throws
// std::runtime_error with the library's message when compression fails.
QByteArray PngFileBytes(int width, int height, const RowSource& row);
