#include "output/avi/frame_format.h"

#include "model/bits_per_byte.h"
#include "output/avi/avi_error.h"

#include <QDataStream>
#include <QIODevice>

std::int64_t RowBytes(std::int64_t width, int bits)
{
    return ((width * bits + 31) & ~std::int64_t{31}) / kBitsPerByte;
}

int BitCount(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: throw AviError("Invalid pixel foramt");
    }
}

QByteArray FrameHeader(int width, int height, int bits, const QList<QRgb>& colours)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(kBitmapHeaderSize) << qint32(width) << qint32(height) << quint16(1) << quint16(bits)
        << quint32(0) // uncompressed
        << quint32(RowBytes(width, bits) * height) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    if (bits <= 8) {
        for (int i = 0; i < (1 << bits); ++i) {
            const QRgb c = i < colours.size() ? colours[i] : 0;
            out << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);
        }
    }
    return bytes;
}
