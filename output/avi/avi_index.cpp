#include "output/avi/avi_index.h"

#include "output/avi/riff_writer.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr std::uint32_t kKeyFrame = 0x10;
constexpr std::uint8_t kIndexOfIndexes = 0;
constexpr std::uint8_t kIndexOfChunks = 1;

class IndexStream : public QDataStream {
public:
    explicit IndexStream(QByteArray* bytes)
        : QDataStream(bytes, QIODevice::WriteOnly)
    {
        setByteOrder(QDataStream::LittleEndian);
    }
    void Id(const char* id) { writeRawData(id, 4); }
};

} // namespace

QByteArray LegacyIndex(const QList<IndexEntry>& entries, std::int64_t moviType)
{
    QByteArray bytes;
    IndexStream out(&bytes);
    for (const IndexEntry& e : entries) {
        out.Id(e.Id);
        out << kKeyFrame << quint32(e.Offset - moviType) << e.Size;
    }
    return bytes;
}

QByteArray StandardIndex(const char* chunkId, const QList<IndexEntry>& entries, std::int64_t base)
{
    QByteArray bytes;
    IndexStream out(&bytes);
    out << quint16(2) << quint8(0) << kIndexOfChunks << quint32(entries.size());
    out.Id(chunkId);
    out << qint64(base) << quint32(0);
    for (const IndexEntry& e : entries)
        out << quint32(e.Offset + kChunkHeaderSize - base) << e.Size; // high bit clear: key frame
    return bytes;
}

QByteArray SuperIndex(const char* chunkId, const QList<SuperIndexEntry>& entries, int capacity)
{
    QByteArray bytes;
    IndexStream out(&bytes);
    out << quint16(4) << quint8(0) << kIndexOfIndexes << quint32(entries.size());
    out.Id(chunkId);
    out << quint32(0) << quint32(0) << quint32(0);
    for (const SuperIndexEntry& e : entries)
        out << qint64(e.Offset) << e.Size << e.Duration;
    return bytes + QByteArray((capacity - entries.size()) * kSuperIndexEntrySize, '\0');
}
