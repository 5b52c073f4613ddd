#include "tests/support/metafile_reader.h"

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

std::vector<const EmfRecord*> AllOf(const std::vector<EmfRecord>& records, std::uint32_t type)
{
    std::vector<const EmfRecord*> found;
    for (const EmfRecord& r : records)
        if (r.Type == type)
            found.push_back(&r);
    return found;
}

std::vector<const WmfRecord*> AllOf(const std::vector<WmfRecord>& records, std::uint16_t function)
{
    std::vector<const WmfRecord*> found;
    for (const WmfRecord& r : records)
        if (r.Function == function)
            found.push_back(&r);
    return found;
}
