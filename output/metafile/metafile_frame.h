#pragma once

#include "output/metafile/metafile_device.h"

#include <QSize>

#include <cstdint>

// a * b / c rounded to the nearest integer, halves away from zero. For
// 32-bit a and b the product cannot overflow; c must not be zero.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c);

// The screen's size in whole hundredths of a millimetre.
QSize HundredthsOfMillimetre(const ReferenceScreen& screen);

// The frame in 64 bits, to check that it fits before FrameSize narrows it.
struct WideSize {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
};
WideSize WideFrameSize(QSize pixels, const ReferenceScreen& screen);

// The physical size of a picture of the given pixels on the screen, in
// hundredths of a millimetre: the distance from its left edge to its right
// edge and from its top edge to its bottom edge.
// Only for pictures whose frame fits 32 bits (EmfHolds, WmfHolds).
QSize FrameSize(QSize pixels, const ReferenceScreen& screen);
