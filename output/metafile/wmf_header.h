#pragma once

#include "output/little_endian_buffer.h"

#include <QSize>

#include <cstdint>

constexpr std::uint32_t kPlaceableHeaderBytes = 22;
constexpr std::uint32_t kMetaHeaderWords = 9;

// The box and units per inch of a placeable header for a frame in
// hundredths of a millimetre: 96 units per inch, or fewer where the box
// would not fit in 16 bits.
struct PlaceableBox {
    int Right = 0;
    int Bottom = 0;
    int UnitsPerInch = 96;
};
PlaceableBox PlaceableBoxOf(QSize frameSize);
// Whether the box holds the frame at all, at one unit per inch.
bool PlaceableBoxHolds(std::int64_t largestFrameSide);

void AppendPlaceableHeader(LittleEndianBuffer& out, const PlaceableBox& box);

struct MetaHeaderFields {
    std::uint32_t FileWords = 0; // from this header to the end
    int Objects = 0;
    std::uint32_t LargestRecordWords = 0;
};
void AppendMetaHeader(LittleEndianBuffer& out, const MetaHeaderFields& fields);
