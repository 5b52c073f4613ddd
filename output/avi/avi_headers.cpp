#include "output/avi/avi_headers.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kIsInterleaved = 0x100;
constexpr int kExtendedHeaderSize = 248;

QDataStream& LittleEndian(QDataStream& out)
{
    out.setByteOrder(QDataStream::LittleEndian);
    return out;
}

} // namespace

QByteArray MainHeader(const MainHeaderFields& f)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    LittleEndian(out) << f.MicroSecondsPerFrame << f.MaxBytesPerSecond << quint32(0) // padding granularity
                      << (kHasIndex | (f.Interleaved ? kIsInterleaved : 0)) << f.TotalFrames
                      << quint32(0) // initial frames
                      << f.Streams << f.SuggestedBufferSize << f.Width << f.Height << quint32(0) << quint32(0)
                      << quint32(0) << quint32(0);
    return bytes;
}

QByteArray StreamHeader(const StreamHeaderFields& f)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    LittleEndian(out).writeRawData(f.Type, 4);
    out << quint32(0)              // handler
        << quint32(0)              // flags
        << quint16(0) << quint16(0) // priority, language
        << quint32(0)              // initial frames
        << f.Scale << f.Rate << quint32(0) // start
        << f.Length << f.SuggestedBufferSize << quint32(0) // quality
        << f.SampleSize << qint16(0) << qint16(0) << f.Right << f.Bottom;
    return bytes;
}

QByteArray ExtendedHeader(std::uint32_t totalFrames)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    LittleEndian(out) << totalFrames;
    return bytes + QByteArray(kExtendedHeaderSize - bytes.size(), '\0');
}
