#include "output/avi/interleave_plan.h"

#include <algorithm>

InterleavePlan::InterleavePlan(std::int32_t frames, std::int32_t frameTime, std::uint32_t frameSize,
                               std::int64_t soundSize, std::uint32_t soundChunk)
    : frames_(frames)
    , frameTime_(frameTime)
    , frameSize_(frameSize)
    , soundSize_(soundSize)
    , soundChunk_(soundChunk)
{
}

bool InterleavePlan::Next(PlannedChunk& chunk)
{
    const bool soundDue = frame_ >= frames_
        || second_ * kMillisecondsPerSecond <= std::int64_t{frame_} * frameTime_;
    if (sound_ < soundSize_ && soundDue) {
        chunk = {kSoundStream, sound_,
                 static_cast<std::uint32_t>(std::min<std::int64_t>(soundChunk_, soundSize_ - sound_))};
        sound_ += chunk.Size;
        ++second_;
        return true;
    }
    if (frame_ < frames_) {
        chunk = {kVideoStream, frame_, frameSize_};
        ++frame_;
        return true;
    }
    return false;
}
