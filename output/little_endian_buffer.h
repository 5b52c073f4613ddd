#pragma once

#include <QByteArray>

#include <cstdint>

// Bytes of a binary file, written least significant byte first.
class LittleEndianBuffer {
public:
    void U16(std::uint16_t value);
    void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Append(const QByteArray& bytes) { bytes_.append(bytes); }

    qsizetype Size() const { return bytes_.size(); }
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};
