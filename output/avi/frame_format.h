#pragma once

#include "output/avi/pixel_format.h"

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <cstdint>

constexpr int kBitmapHeaderSize = 40;

// Bytes of one stored row: width * bits rounded up to whole 32-bit words.
std::int64_t RowBytes(std::int64_t width, int bits);

// 1, 4, 8 or 24; throws AviError for a format that cannot be written.
int BitCount(TPixelFormat format);

// The stream format of the frames: the 40-byte bitmap info header followed
// by the colour table, padded with black to 2^bits entries (none at 24 bits).
QByteArray FrameHeader(int width, int height, int bits, const QList<QRgb>& colours);
