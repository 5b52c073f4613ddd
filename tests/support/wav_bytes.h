#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

#include <cstdint>

// The bytes of WAV files as they come in the wild, and of hostile ones:
// RIFF chunks of any size (a size field that lies included), fmt chunks of
// every shape.

// A chunk with its header and, after odd data, the pad byte.
inline QByteArray Chunk(const char* id, const QByteArray& data, std::uint32_t size)
{
    QByteArray bytes(id, 4);
    QDataStream out(&bytes, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << size;
    bytes += data;
    if (data.size() & 1)
        bytes += '\0';
    return bytes;
}

inline QByteArray Chunk(const char* id, const QByteArray& data)
{
    return Chunk(id, data, static_cast<std::uint32_t>(data.size()));
}

// The fields of a fmt chunk: 8 kHz mono PCM of 16 bits unless told, with
// cbSize (18) or the extensible tail (40) when asked, as in
// Fmt().Tag(3).Size(18).Bits(32).
struct Fmt {
    std::uint16_t tag = 1;
    int size = 16;
    std::uint16_t bits = 16;
    std::uint16_t channels = 1;
    std::uint32_t rate = 8000;
    int align = -1; // -1: the channels' bytes of one sample
    QByteArray subFormat;

    Fmt& Tag(std::uint16_t v) { tag = v; return *this; }
    Fmt& Size(int v) { size = v; return *this; }
    Fmt& Bits(std::uint16_t v) { bits = v; return *this; }
    Fmt& Channels(std::uint16_t v) { channels = v; return *this; }
    Fmt& Rate(std::uint32_t v) { rate = v; return *this; }
    Fmt& Align(int v) { align = v; return *this; }
    Fmt& SubFormat(const QByteArray& v) { subFormat = v; return *this; }
};

inline QByteArray Format(const Fmt& f)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto align = static_cast<std::uint16_t>(f.align >= 0 ? f.align : f.channels * ((f.bits + 7) / 8));
    out << f.tag << f.channels << f.rate << quint32(f.rate * align) << align << f.bits;
    if (f.size >= 18)
        out << quint16(f.size - 18);
    if (f.size >= 40) {
        out << f.bits << quint32(4); // valid bits, channel mask
        bytes += f.subFormat;
    }
    return bytes;
}

inline const QByteArray kPcmGuid = QByteArray::fromHex("0100000000001000800000aa00389b71");
inline const QByteArray kFloatGuid = QByteArray::fromHex("0300000000001000800000aa00389b71");

inline QByteArray Wave(const QByteArray& chunks, const char* form = "WAVE")
{
    return Chunk("RIFF", QByteArray(form, 4) + chunks);
}
