#include "output/avi/clip_writer.h"

#include "output/avi/avi_error.h"
#include "output/avi/avi_headers.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr const char* kChunkIds[2] = {"00db", "01wb"};
constexpr const char* kIndexIds[2] = {"ix00", "ix01"};
constexpr int kListHeaderSize = 12;
constexpr int kLegacyEntrySize = 16;
constexpr int kStandardEntrySize = 8;
constexpr int kStandardIndexSpace = kChunkHeaderSize + kIndexHeaderSize;
constexpr int kMainHeaderSize = 56;
constexpr int kStreamHeaderSize = 56;
// Room kept in each super index: at least this many RIFF parts.
constexpr int kSuperIndexEntries = 256;
constexpr std::int64_t kMicrosecondsPerMillisecond = 1000;
const char* const kWriteFailed = "Unable to write output file";

} // namespace

ClipWriter::ClipWriter(QIODevice& out, ClipVideo video, const ClipSound* sound, std::int64_t riffLimit)
    : riff_(out)
    , video_(std::move(video))
    , sound_(sound)
    , riffLimit_(riffLimit)
{
    if (sound_) {
        const WavAudio& wav = sound_->Wav;
        soundChunk_ = std::max<std::uint32_t>(wav.BlockAlign, wav.BytesPerSecond - wav.BytesPerSecond % wav.BlockAlign);
    }
}

void ClipWriter::FailOutput(const QString& reason) const
{
    throw AviError(kWriteFailed, {}, reason);
}

void ClipWriter::Write(WorkProgress& progress)
{
    if (video_.FrameCount <= 0)
        FailOutput(QStringLiteral("no frame was recorded"));
    if (sound_)
        OpenWavFile(wav_, sound_->Path);
    Survey();
    buffer_.resize(largestChunk_);
    StartPart();
    PlannedChunk chunk;
    std::int64_t written = 0;
    for (InterleavePlan plan = Plan(); plan.Next(chunk);) {
        ThrowIfCancelled(progress);
        const bool partUsed = !partEntries_[kVideoStream].isEmpty() || !partEntries_[kSoundStream].isEmpty();
        if (openDml_ && partUsed && !Fits(chunk)) {
            FinishPart();
            StartPart();
        }
        CopyChunk(chunk);
        progress.Report(++written, chunkCount_);
    }
    FinishPart();
    PatchHeaders();
    if (!riff_.Ok())
        FailOutput(riff_.Error());
}

InterleavePlan ClipWriter::Plan() const
{
    return InterleavePlan(video_.FrameCount, video_.FrameTime, video_.FrameSize, sound_ ? sound_->Wav.DataSize : 0,
                          soundChunk_);
}

// Sizes of the whole clip, to choose between plain AVI and OpenDML.
void ClipWriter::Survey()
{
    PlannedChunk chunk;
    for (InterleavePlan plan = Plan(); plan.Next(chunk);) {
        ++chunkCount_;
        moviBytes_ += RiffWriter::ChunkSpace(chunk.Size);
        largestChunk_ = std::max(largestChunk_, chunk.Size);
    }
    openDml_ = PlainSize() > riffLimit_;
    superCapacity_ = static_cast<int>(std::max<std::int64_t>(kSuperIndexEntries, moviBytes_ / (riffLimit_ / 2) + 2));
}

std::int64_t ClipWriter::PlainSize() const
{
    std::int64_t headers = kListHeaderSize + RiffWriter::ChunkSpace(kMainHeaderSize) + kListHeaderSize
        + RiffWriter::ChunkSpace(kStreamHeaderSize) + RiffWriter::ChunkSpace(video_.Format.size());
    if (sound_)
        headers += kListHeaderSize + RiffWriter::ChunkSpace(kStreamHeaderSize)
            + RiffWriter::ChunkSpace(sound_->Wav.Format.size());
    return kListHeaderSize + headers + kListHeaderSize + moviBytes_ + kChunkHeaderSize + kLegacyEntrySize * chunkCount_;
}

void ClipWriter::WriteHeaders()
{
    const std::int64_t list = riff_.OpenList("LIST", "hdrl");
    MainHeaderFields main;
    main.MicroSecondsPerFrame = static_cast<std::uint32_t>(video_.FrameTime * kMicrosecondsPerMillisecond);
    const std::int64_t perSecond = video_.FrameSize * kMillisecondsPerSecond / video_.FrameTime
        + (sound_ ? sound_->Wav.BytesPerSecond : 0);
    main.MaxBytesPerSecond = static_cast<std::uint32_t>(std::min<std::int64_t>(perSecond, UINT32_MAX));
    main.Interleaved = sound_ != nullptr;
    main.TotalFrames = static_cast<std::uint32_t>(video_.FrameCount);
    main.Streams = sound_ ? 2 : 1;
    main.SuggestedBufferSize = largestChunk_;
    main.Width = video_.Width;
    main.Height = video_.Height;
    mainHeader_ = riff_.Chunk("avih", MainHeader(main));
    WriteStreamList(kVideoStream);
    if (sound_)
        WriteStreamList(kSoundStream);
    if (openDml_) {
        const std::int64_t odml = riff_.OpenList("LIST", "odml");
        riff_.Chunk("dmlh", ExtendedHeader(static_cast<std::uint32_t>(video_.FrameCount)));
        riff_.CloseList(odml);
    }
    riff_.CloseList(list);
}

void ClipWriter::WriteStreamList(ClipStream stream)
{
    const std::int64_t list = riff_.OpenList("LIST", "strl");
    StreamHeaderFields header;
    if (stream == kVideoStream) {
        header.Scale = static_cast<std::uint32_t>(video_.FrameTime);
        header.Rate = kMillisecondsPerSecond;
        header.Length = static_cast<std::uint32_t>(video_.FrameCount);
        header.SuggestedBufferSize = video_.FrameSize;
        header.Right = static_cast<std::int16_t>(video_.Width);
        header.Bottom = static_cast<std::int16_t>(video_.Height);
        riff_.Chunk("strh", StreamHeader(header));
        riff_.Chunk("strf", video_.Format);
    } else {
        const WavAudio& wav = sound_->Wav;
        header.Type = "auds";
        header.Scale = wav.BlockAlign;
        header.Rate = wav.BytesPerSecond;
        header.Length = static_cast<std::uint32_t>(wav.DataSize / wav.BlockAlign);
        header.SuggestedBufferSize = soundChunk_;
        header.SampleSize = wav.BlockAlign;
        riff_.Chunk("strh", StreamHeader(header));
        riff_.Chunk("strf", wav.Format);
    }
    if (openDml_)
        superIndex_[stream] = riff_.Chunk("indx", SuperIndex(kChunkIds[stream], {}, superCapacity_));
    riff_.CloseList(list);
}

void ClipWriter::StartPart()
{
    ++part_;
    partStart_ = riff_.OpenList("RIFF", part_ == 0 ? "AVI " : "AVIX");
    if (part_ == 0)
        WriteHeaders();
    movi_ = riff_.OpenList("LIST", "movi");
}

// Whether the chunk and its index entries still fit in the current part,
// with the indexes that close the part.
bool ClipWriter::Fits(const PlannedChunk& chunk) const
{
    std::int64_t used = riff_.Pos() - partStart_;
    for (const QList<IndexEntry>& entries : partEntries_)
        if (!entries.isEmpty())
            used += kStandardIndexSpace + kStandardEntrySize * entries.size();
    std::int64_t cost = RiffWriter::ChunkSpace(chunk.Size) + kStandardEntrySize;
    if (partEntries_[chunk.Stream].isEmpty())
        cost += kStandardIndexSpace;
    if (part_ == 0) {
        used += kChunkHeaderSize + kLegacyEntrySize * legacy_.size();
        cost += kLegacyEntrySize;
    }
    return used + cost <= riffLimit_;
}

void ClipWriter::CopyChunk(const PlannedChunk& chunk)
{
    char* data = buffer_.data();
    if (chunk.Stream == kVideoStream) {
        QString reason;
        if (!video_.Frames(static_cast<std::int32_t>(chunk.Source), data, reason))
            FailOutput(reason);
        if (part_ == 0)
            ++firstPartFrames_;
    } else if (!wav_.seek(sound_->Wav.DataOffset + chunk.Source) || wav_.read(data, chunk.Size) != chunk.Size) {
        throw AviError("A disk error occurred while reading the audio file.", sound_->Path,
                       wav_.error() != QFileDevice::NoError ? wav_.errorString()
                                                            : QStringLiteral("the file became shorter"));
    }
    const IndexEntry entry{kChunkIds[chunk.Stream], riff_.Pos(), chunk.Size};
    riff_.ChunkHeader(entry.Id, chunk.Size);
    riff_.Raw(data, chunk.Size);
    riff_.EndChunk(chunk.Size);
    if (!riff_.Ok())
        FailOutput(riff_.Error());
    partEntries_[chunk.Stream].append(entry);
    if (part_ == 0)
        legacy_.append(entry);
}

void ClipWriter::FinishPart()
{
    for (int s = kVideoStream; s <= kSoundStream; ++s) {
        QList<IndexEntry>& entries = partEntries_[s];
        if (openDml_ && !entries.isEmpty()) {
            const QByteArray index = StandardIndex(kChunkIds[s], entries, movi_);
            std::int64_t duration = entries.size();
            if (s == kSoundStream) {
                duration = 0;
                for (const IndexEntry& e : entries)
                    duration += e.Size / sound_->Wav.BlockAlign;
            }
            super_[s].append({riff_.Chunk(kIndexIds[s], index), static_cast<std::uint32_t>(kChunkHeaderSize + index.size()),
                              static_cast<std::uint32_t>(duration)});
        }
        entries.clear();
    }
    riff_.CloseList(movi_);
    if (part_ == 0) {
        riff_.Chunk("idx1", LegacyIndex(legacy_, movi_ + kChunkHeaderSize));
        legacy_.clear();
    }
    riff_.CloseList(partStart_);
}

void ClipWriter::PatchHeaders()
{
    QByteArray frames(4, '\0');
    qToLittleEndian(static_cast<std::uint32_t>(firstPartFrames_), frames.data());
    riff_.Patch(mainHeader_ + kChunkHeaderSize + kTotalFramesOffset, frames);
    if (!openDml_)
        return;
    for (int s = kVideoStream; s <= (sound_ ? kSoundStream : kVideoStream); ++s) {
        if (super_[s].size() > superCapacity_)
            FailOutput(QStringLiteral("too many RIFF parts for the index"));
        riff_.Patch(superIndex_[s] + kChunkHeaderSize, SuperIndex(kChunkIds[s], super_[s], superCapacity_));
    }
}
