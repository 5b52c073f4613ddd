#include "metafile_reader.h"

#include <QtEndian>

#include <algorithm>

std::uint16_t U16At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + offset);
}

std::int16_t I16At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<std::int16_t>(bytes.constData() + offset);
}

std::uint32_t U32At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + offset);
}

std::int32_t I32At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<std::int32_t>(bytes.constData() + offset);
}

std::vector<EmfRecord> EmfRecords(const QByteArray& file)
{
    std::vector<EmfRecord> records;
    qsizetype offset = 0;
    while (offset + 8 <= file.size()) {
        const std::uint32_t size = U32At(file, offset + 4);
        if (size < 8 || size % 4 != 0 || offset + size > file.size())
            break;
        records.push_back({U32At(file, offset), file.mid(offset, size)});
        offset += size;
    }
    return records;
}

std::vector<WmfRecord> WmfRecords(const QByteArray& file)
{
    std::vector<WmfRecord> records;
    qsizetype offset = kPlaceableBytes + kMetaHeaderBytes;
    while (offset + 6 <= file.size()) {
        const std::uint32_t words = U32At(file, offset);
        if (words < 3 || offset + 2 * qsizetype{words} > file.size())
            break;
        records.push_back({U16At(file, offset + 4), words, file.mid(offset, 2 * qsizetype{words})});
        offset += 2 * qsizetype{words};
    }
    return records;
}

int CountOf(const std::vector<EmfRecord>& records, std::uint32_t type)
{
    return static_cast<int>(std::count_if(records.begin(), records.end(), [type](const EmfRecord& r) { return r.Type == type; }));
}

int CountOf(const std::vector<WmfRecord>& records, std::uint16_t function)
{
    return static_cast<int>(
        std::count_if(records.begin(), records.end(), [function](const WmfRecord& r) { return r.Function == function; }));
}
