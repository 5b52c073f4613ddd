#include "output/avi/riff_writer.h"

#include <QtEndian>

RiffWriter::RiffWriter(QIODevice& out)
    : out_(out)
    , pos_(out.pos())
{
}

void RiffWriter::Raw(const char* data, std::int64_t size)
{
    if (ok_ && out_.write(data, size) != size)
        ok_ = false;
    pos_ += size;
}

void RiffWriter::Size(std::uint32_t size)
{
    char bytes[4];
    qToLittleEndian(size, bytes);
    Raw(bytes, 4);
}

std::int64_t RiffWriter::OpenList(const char* kind, const char* type)
{
    const std::int64_t start = pos_;
    Raw(kind, 4);
    Size(0);
    Raw(type, 4);
    return start;
}

void RiffWriter::CloseList(std::int64_t start)
{
    char bytes[4];
    qToLittleEndian(static_cast<std::uint32_t>(pos_ - start - kChunkHeaderSize), bytes);
    Patch(start + 4, QByteArray(bytes, 4));
}

std::int64_t RiffWriter::Chunk(const char* id, const QByteArray& data)
{
    const std::int64_t start = pos_;
    ChunkHeader(id, static_cast<std::uint32_t>(data.size()));
    Raw(data.constData(), data.size());
    EndChunk(static_cast<std::uint32_t>(data.size()));
    return start;
}

void RiffWriter::ChunkHeader(const char* id, std::uint32_t size)
{
    Raw(id, 4);
    Size(size);
}

void RiffWriter::EndChunk(std::uint32_t size)
{
    if (size & 1)
        Raw("", 1);
}

void RiffWriter::Patch(std::int64_t at, const QByteArray& bytes)
{
    if (!ok_)
        return;
    ok_ = out_.seek(at) && out_.write(bytes) == bytes.size() && out_.seek(pos_);
}
