#include "bmp_writer.h"

#include "atomic_file.h"

#include <QtEndian>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelsPerMetre = 3780; // 96 dots per inch

void Put16(char*& p, quint16 v)
{
    qToLittleEndian(v, p);
    p += 2;
}

void Put32(char*& p, quint32 v)
{
    qToLittleEndian(v, p);
    p += 4;
}

std::int64_t RowSize(std::int64_t width)
{
    return (width * 3 + 3) / 4 * 4;
}

} // namespace

std::int64_t BmpFileSize(std::int64_t width, std::int64_t height)
{
    return kFileHeaderSize + kInfoHeaderSize + RowSize(width) * height;
}

namespace {

QByteArray Headers(std::int64_t width, std::int64_t height)
{
    const std::int64_t headerSize = kFileHeaderSize + kInfoHeaderSize;
    QByteArray bytes(headerSize, '\0');
    char* p = bytes.data();
    *p++ = 'B';
    *p++ = 'M';
    Put32(p, static_cast<quint32>(BmpFileSize(width, height)));
    Put32(p, 0);
    Put32(p, headerSize);
    Put32(p, kInfoHeaderSize);
    Put32(p, static_cast<quint32>(width));
    Put32(p, static_cast<quint32>(height));
    Put16(p, 1);  // planes
    Put16(p, 24); // bits per pixel
    Put32(p, 0);  // no compression
    Put32(p, static_cast<quint32>(RowSize(width) * height));
    Put32(p, kPixelsPerMetre);
    Put32(p, kPixelsPerMetre);
    Put32(p, 0);
    Put32(p, 0);
    return bytes;
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
