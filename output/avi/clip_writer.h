#pragma once

#include "output/avi/avi_index.h"
#include "output/avi/interleave_plan.h"
#include "output/avi/riff_writer.h"
#include "output/avi/wav_reader.h"
#include "model/work_progress.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QList>

#include <array>
#include <cstdint>
#include <functional>

// A RIFF part never grows past this; larger clips continue in OpenDML
// "AVIX" parts, as readers of such clips expect.
constexpr std::int64_t kRiffLimit = std::int64_t{1} << 30;

// Reads frame number index (frameSize bytes) into data; false and the
// reason when it fails.
using FrameSource = std::function<bool(std::int32_t index, char* data, QString& reason)>;
struct ClipVideo {
    FrameSource Frames;
    QByteArray Format; // bitmap info header with colour table
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t FrameTime = 0;
    std::int32_t FrameCount = 0;
    std::uint32_t FrameSize = 0;
};

struct ClipSound {
    WavAudio Wav;
    QString Path;
};

// Writes an AVI clip of uncompressed frames, every one a key frame, and
// optionally the sound copied from a WAV file. A clip that fits in one RIFF
// part of riffLimit bytes is plain AVI with an "idx1" index; a larger one is
// OpenDML, with "idx1" covering the first part. Throws AviError with the
// reason; the progress hears of every chunk, and cancelled work ends
// between two chunks with WorkCancelled.
class ClipWriter {
public:
    ClipWriter(QIODevice& out, ClipVideo video, const ClipSound* sound, std::int64_t riffLimit = kRiffLimit);
    void Write(WorkProgress& progress = WorkProgress::Unwatched());

private:
    InterleavePlan Plan() const;
    void Survey();
    std::int64_t PlainSize() const;
    void WriteHeaders();
    void WriteStreamList(ClipStream stream);
    void StartPart();
    void FinishPart();
    bool Fits(const PlannedChunk& chunk) const;
    void CopyChunk(const PlannedChunk& chunk);
    void PatchHeaders();
    [[noreturn]] void FailOutput(const QString& reason) const;

    RiffWriter riff_;
    ClipVideo video_;
    const ClipSound* sound_;
    std::int64_t riffLimit_;
    QFile wav_;
    std::uint32_t soundChunk_ = 0;
    std::uint32_t largestChunk_ = 0;
    std::int64_t chunkCount_ = 0;
    std::int64_t moviBytes_ = 0;
    bool openDml_ = false;
    int superCapacity_ = 0;
    QByteArray buffer_;

    std::int64_t mainHeader_ = 0;
    std::array<std::int64_t, 2> superIndex_{};
    std::int64_t part_ = -1;
    std::int64_t partStart_ = 0;
    std::int64_t movi_ = 0;
    std::int32_t firstPartFrames_ = 0;
    QList<IndexEntry> legacy_;
    std::array<QList<IndexEntry>, 2> partEntries_;
    std::array<QList<SuperIndexEntry>, 2> super_;
};
