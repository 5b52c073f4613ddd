#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

// One chunk of stream data, as the indexes point at it.
struct IndexEntry {
    const char* Id = "00db";
    std::int64_t Offset = 0; // of the chunk's header in the file
    std::uint32_t Size = 0;  // of its data
};

// One standard index, as the super index points at it.
struct SuperIndexEntry {
    std::int64_t Offset = 0; // of the "ix##" chunk's header
    std::uint32_t Size = 0;  // of that chunk with its header
    std::uint32_t Duration = 0; // frames, or sound blocks
};

// The data of a legacy "idx1" chunk: every chunk a key frame, offsets from
// the "movi" type code.
QByteArray LegacyIndex(const QList<IndexEntry>& entries, std::int64_t moviType);

// The data of an OpenDML standard index ("ix##") of the chunks of one stream
// in one RIFF part, offsets to the data from base.
QByteArray StandardIndex(const char* chunkId, const QList<IndexEntry>& entries, std::int64_t base);

// The data of an OpenDML super index ("indx") with room for capacity entries.
QByteArray SuperIndex(const char* chunkId, const QList<SuperIndexEntry>& entries, int capacity);
constexpr int kSuperIndexEntrySize = 16;
constexpr int kIndexHeaderSize = 24;
