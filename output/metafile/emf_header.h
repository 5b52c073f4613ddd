#pragma once

#include "output/little_endian_buffer.h"
#include "output/metafile/metafile_device.h"

#include <QRect>
#include <QSize>

#include <cstdint>

// The header with both extensions (pixel format and micrometres), 108 bytes.
constexpr std::uint32_t kEmfHeaderBytes = 108;
constexpr std::uint32_t kEmfEofBytes = 20;

struct EmfHeaderFields {
    QRect Bounds;     // inclusive device pixels
    QSize FrameSize;  // hundredths of a millimetre, edge to edge
    std::uint32_t FileBytes = 0;
    std::uint32_t Records = 0; // header and end record included
    int ObjectSlots = 0;       // the table holds one more: index 0 is never used
    ReferenceScreen Screen;
};

void AppendEmfHeader(LittleEndianBuffer& out, const EmfHeaderFields& fields);
// The end record, with no palette.
void AppendEmfEof(LittleEndianBuffer& out);
