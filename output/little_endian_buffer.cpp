#include "output/little_endian_buffer.h"

#include <QtEndian>

void LittleEndianBuffer::U16(std::uint16_t value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    bytes_.append(bytes, 2);
}

void LittleEndianBuffer::U32(std::uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    bytes_.append(bytes, 4);
}
