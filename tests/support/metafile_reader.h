#pragma once

#include "output/metafile/metafile_device.h"

#include <QByteArray>
#include <QPainter>
#include <QtEndian>

#include <cstdint>
#include <vector>

// Reads metafiles back field by field, independently of the writers.

template <typename T>
T At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}
inline std::uint16_t U16At(const QByteArray& b, qsizetype offset) { return At<std::uint16_t>(b, offset); }
inline std::int16_t I16At(const QByteArray& b, qsizetype offset) { return At<std::int16_t>(b, offset); }
inline std::uint32_t U32At(const QByteArray& b, qsizetype offset) { return At<std::uint32_t>(b, offset); }
inline std::int32_t I32At(const QByteArray& b, qsizetype offset) { return At<std::int32_t>(b, offset); }

// count fields in a row from offset, e.g. the four of a rectangle.
template <typename T>
std::vector<int> Fields(const QByteArray& bytes, qsizetype offset, int count)
{
    std::vector<int> fields;
    for (int i = 0; i < count; ++i)
        fields.push_back(At<T>(bytes, offset + i * qsizetype{sizeof(T)}));
    return fields;
}
inline std::vector<int> I16s(const QByteArray& b, qsizetype offset, int count) { return Fields<std::int16_t>(b, offset, count); }
inline std::vector<int> I32s(const QByteArray& b, qsizetype offset, int count) { return Fields<std::int32_t>(b, offset, count); }

// An enhanced metafile record, type and size included in Bytes.
struct EmfRecord {
    std::uint32_t Type = 0;
    QByteArray Bytes;
};

// Every record in file order; stops at a size that is not a positive
// multiple of 4 or runs past the end, so a bad file yields fewer bytes than
// it has.
std::vector<EmfRecord> EmfRecords(const QByteArray& file);

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrPolyline = 4;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrSetPixelV = 15;
constexpr std::uint32_t kEmrSelectObject = 37;
constexpr std::uint32_t kEmrCreatePen = 38;
constexpr std::uint32_t kEmrCreateBrushIndirect = 39;
constexpr std::uint32_t kEmrDeleteObject = 40;
constexpr std::uint32_t kEmrEllipse = 42;
constexpr std::uint32_t kEmrRectangle = 43;
constexpr std::uint32_t kEmrPolyline16 = 87;

// A WMF record after the placeable and standard headers;
// Bytes holds the whole record.
struct WmfRecord {
    std::uint16_t Function = 0;
    std::uint32_t Words = 0;
    QByteArray Bytes;
    // The 16-bit parameter at index i.
    std::int16_t Param(int i) const { return I16At(Bytes, 6 + 2 * i); }
    std::vector<int> Params(int first, int count) const { return I16s(Bytes, 6 + 2 * first, count); }
};

constexpr qsizetype kPlaceableBytes = 22;
constexpr qsizetype kMetaHeaderBytes = 18;

std::vector<WmfRecord> WmfRecords(const QByteArray& file);

constexpr std::uint16_t kMetaEof = 0x0000;
constexpr std::uint16_t kMetaSetMapMode = 0x0103;
constexpr std::uint16_t kMetaSelectObject = 0x012D;
constexpr std::uint16_t kMetaDeleteObject = 0x01F0;
constexpr std::uint16_t kMetaSetWindowOrg = 0x020B;
constexpr std::uint16_t kMetaSetWindowExt = 0x020C;
constexpr std::uint16_t kMetaCreatePenIndirect = 0x02FA;
constexpr std::uint16_t kMetaCreateBrushIndirect = 0x02FC;
constexpr std::uint16_t kMetaPolyline = 0x0325;
constexpr std::uint16_t kMetaEllipse = 0x0418;
constexpr std::uint16_t kMetaRectangle = 0x041B;
constexpr std::uint16_t kMetaSetPixel = 0x041F;

// The records of one type, in file order.
std::vector<const EmfRecord*> AllOf(const std::vector<EmfRecord>& records, std::uint32_t type);
std::vector<const WmfRecord*> AllOf(const std::vector<WmfRecord>& records, std::uint16_t function);

// The bytes of a metafile that paint draws on, in the form bytes gives.
template <typename Paint>
QByteArray RecordedBytes(int width, int height, const ReferenceScreen& screen, Paint paint,
                         QByteArray (MetafileDevice::*bytes)() const)
{
    MetafileDevice device(width, height, screen);
    {
        QPainter painter(&device);
        paint(painter);
    }
    return (device.*bytes)();
}
