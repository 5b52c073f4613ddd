#include "bmp_writer.h"

#include <QtEndian>

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

QByteArray BmpFileBytes(const QImage& source)
{
    if (BmpFileSize(source.width(), source.height()) > kLargestBmpFile)
        throw std::length_error("bitmap file larger than 4 GiB");
    const QImage image = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    const qsizetype width = image.width();
    const qsizetype height = image.height();
    const qsizetype rowSize = RowSize(width);
    const qsizetype pixelBytes = rowSize * height;
    const qsizetype headerSize = kFileHeaderSize + kInfoHeaderSize;

    QByteArray bytes(headerSize + pixelBytes, '\0');
    char* p = bytes.data();
    *p++ = 'B';
    *p++ = 'M';
    Put32(p, static_cast<quint32>(bytes.size()));
    Put32(p, 0);
    Put32(p, headerSize);
    Put32(p, kInfoHeaderSize);
    Put32(p, static_cast<quint32>(width));
    Put32(p, static_cast<quint32>(height));
    Put16(p, 1);  // planes
    Put16(p, 24); // bits per pixel
    Put32(p, 0);  // no compression
    Put32(p, static_cast<quint32>(pixelBytes));
    Put32(p, kPixelsPerMetre);
    Put32(p, kPixelsPerMetre);
    Put32(p, 0);
    Put32(p, 0);

    for (qsizetype y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(height - 1 - y)));
        auto* out = reinterpret_cast<unsigned char*>(p + y * rowSize);
        for (qsizetype x = 0; x < width; ++x) {
            *out++ = static_cast<unsigned char>(qBlue(in[x]));
            *out++ = static_cast<unsigned char>(qGreen(in[x]));
            *out++ = static_cast<unsigned char>(qRed(in[x]));
        }
    }
    return bytes;
}
