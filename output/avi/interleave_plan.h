#pragma once

#include <cstdint>

constexpr std::int64_t kMillisecondsPerSecond = 1000;

enum ClipStream { kVideoStream = 0, kSoundStream = 1 };

struct PlannedChunk {
    ClipStream Stream = kVideoStream;
    std::int64_t Source = 0; // frame number, or offset in the sound data
    std::uint32_t Size = 0;
};

// The order of the chunks in a clip: the frames, and before the first frame
// that starts at or after each whole second the next second of sound, so that
// a player finds sound about once a second. Sound longer than the video
// follows the last frame.
class InterleavePlan {
public:
    InterleavePlan(std::int32_t frames, std::int32_t frameTime, std::uint32_t frameSize, std::int64_t soundSize,
                   std::uint32_t soundChunk);

    // False after the last chunk.
    bool Next(PlannedChunk& chunk);

private:
    std::int32_t frames_;
    std::int32_t frameTime_;
    std::uint32_t frameSize_;
    std::int64_t soundSize_;
    std::uint32_t soundChunk_;
    std::int32_t frame_ = 0;
    std::int64_t sound_ = 0;
    std::int64_t second_ = 0;
};
