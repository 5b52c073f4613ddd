#include "output/metafile/wmf_header.h"

#include "output/metafile/metafile_frame.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kUnitsPerInch = 96;
constexpr int kHundredthsOfMillimetrePerInch = 2540;
constexpr int kLargest = 32767;
constexpr std::uint16_t kMemoryMetafile = 1;
constexpr std::uint16_t kVersion300 = 0x0300;

// XOR of the ten 16-bit words before the checksum.
std::uint16_t Checksum(const QByteArray& header)
{
    std::uint16_t sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= qFromLittleEndian<std::uint16_t>(header.constData() + i);
    return sum;
}

} // namespace

PlaceableBox PlaceableBoxOf(QSize frameSize)
{
    const std::int64_t largest = std::max({frameSize.width(), frameSize.height(), 1});
    const auto units = static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{kLargest} * kHundredthsOfMillimetrePerInch / largest, 1, kUnitsPerInch));
    auto convert = [units](int hundredths) {
        return static_cast<int>(std::min<std::int64_t>(MulDiv(hundredths, units, kHundredthsOfMillimetrePerInch), kLargest));
    };
    return {convert(frameSize.width()), convert(frameSize.height()), units};
}

bool PlaceableBoxHolds(std::int64_t largestFrameSide)
{
    return MulDiv(largestFrameSide, 1, kHundredthsOfMillimetrePerInch) <= kLargest;
}

void AppendPlaceableHeader(LittleEndianBuffer& out, const PlaceableBox& box)
{
    LittleEndianBuffer header;
    header.U32(kPlaceableKey);
    header.U16(0); // no handle on disk
    header.I16(0);
    header.I16(0);
    header.I16(static_cast<std::int16_t>(box.Right));
    header.I16(static_cast<std::int16_t>(box.Bottom));
    header.U16(static_cast<std::uint16_t>(box.UnitsPerInch));
    header.U32(0); // reserved
    out.Append(header.Bytes());
    out.U16(Checksum(header.Bytes()));
}

void AppendMetaHeader(LittleEndianBuffer& out, const MetaHeaderFields& fields)
{
    out.U16(kMemoryMetafile);
    out.U16(kMetaHeaderWords);
    out.U16(kVersion300);
    out.U32(fields.FileWords);
    out.U16(static_cast<std::uint16_t>(fields.Objects));
    out.U32(fields.LargestRecordWords);
    out.U16(0); // not used
}
