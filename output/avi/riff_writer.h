#pragma once

#include "output/avi/riff_layout.h"

#include <QByteArray>
#include <QIODevice>

#include <cstdint>

// Writes RIFF chunks and lists to a random-access device and fills in the
// size of a list when it is closed. After the first failed write nothing
// more is written, and Ok() tells.
class RiffWriter {
public:
    explicit RiffWriter(QIODevice& out);

    bool Ok() const { return ok_; }
    // The device's reason for the first failed write.
    QString Error() const { return out_.errorString(); }
    std::int64_t Pos() const { return pos_; }

    // kind is "RIFF" or "LIST"; gives the list's start for CloseList.
    std::int64_t OpenList(const char* kind, const char* type);
    void CloseList(std::int64_t start);
    // A whole chunk; gives the position of its header.
    std::int64_t Chunk(const char* id, const QByteArray& data);
    // A chunk whose data follows in pieces through Raw, then EndChunk.
    void ChunkHeader(const char* id, std::uint32_t size);
    void Raw(const char* data, std::int64_t size);
    void EndChunk(std::uint32_t size);
    // Overwrites bytes written before, at a position given by Pos.
    void Patch(std::int64_t at, const QByteArray& bytes);

    // Bytes a chunk of this much data takes, with its header and padding.
    static std::int64_t ChunkSpace(std::int64_t size) { return kChunkHeaderSize + size + (size & 1); }

private:
    void Size(std::uint32_t size);

    QIODevice& out_;
    std::int64_t pos_ = 0;
    bool ok_ = true;
};
