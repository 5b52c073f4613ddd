#include "output/raster/bmp_writer.h"

#include "model/atomic_file.h"
#include "output/little_endian_buffer.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelsPerMetre = 3780; // 96 dots per inch

std::int64_t RowSize(std::int64_t width)
{
    return (width * 3 + 3) / 4 * 4;
}

} // namespace

// Two 32-bit sides can make a product past 64 bits: such a size counts as
// the largest there is, which no bitmap file holds.
std::int64_t BmpFileSize(std::int64_t width, std::int64_t height)
{
    constexpr std::int64_t headers = kFileHeaderSize + kInfoHeaderSize;
    const std::int64_t row = RowSize(width);
    if (height > 0 && row > (std::numeric_limits<std::int64_t>::max() - headers) / height)
        return std::numeric_limits<std::int64_t>::max();
    return headers + row * height;
}

namespace {

QByteArray Headers(std::int64_t width, std::int64_t height)
{
    LittleEndianBuffer out;
    out.Append(QByteArrayLiteral("BM"));
    out.U32(static_cast<quint32>(BmpFileSize(width, height)));
    out.U32(0);
    out.U32(kFileHeaderSize + kInfoHeaderSize);
    out.U32(kInfoHeaderSize);
    out.U32(static_cast<quint32>(width));
    out.U32(static_cast<quint32>(height));
    out.U16(1);  // planes
    out.U16(24); // bits per pixel
    out.U32(0);  // no compression
    out.U32(static_cast<quint32>(RowSize(width) * height));
    out.U32(kPixelsPerMetre);
    out.U32(kPixelsPerMetre);
    out.U32(0);
    out.U32(0);
    return out.Bytes();
}

} // namespace

void WriteBmp(QIODevice& out, int width, int height, const std::function<const QRgb*(int y)>& row)
{
    if (BmpFileSize(width, height) > kLargestBmpFile)
        throw std::length_error("bitmap file larger than 4 GiB");
    const QByteArray headers = Headers(width, height);
    WriteAll(out, headers.constData(), headers.size());
    // Rows go out in chunks of about a megabyte.
    const std::int64_t rowSize = RowSize(width);
    const int rowsPerChunk = static_cast<int>(std::max<std::int64_t>(1, (1 << 20) / rowSize));
    QByteArray chunk(rowsPerChunk * rowSize, '\0');
    int filled = 0;
    for (int y = height - 1; y >= 0; --y) {
        const QRgb* in = row(y);
        auto* p = reinterpret_cast<unsigned char*>(chunk.data() + filled * rowSize);
        for (int x = 0; x < width; ++x) {
            *p++ = static_cast<unsigned char>(qBlue(in[x]));
            *p++ = static_cast<unsigned char>(qGreen(in[x]));
            *p++ = static_cast<unsigned char>(qRed(in[x]));
        }
        if (++filled == rowsPerChunk || y == 0) {
            WriteAll(out, chunk.constData(), filled * rowSize);
            filled = 0;
        }
    }
}
