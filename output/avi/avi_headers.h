#pragma once

#include <QByteArray>

#include <cstdint>

// The fields of the main AVI header ("avih") that are not zero here.
struct MainHeaderFields {
    std::uint32_t MicroSecondsPerFrame = 0;
    std::uint32_t MaxBytesPerSecond = 0;
    bool Interleaved = false;
    std::uint32_t TotalFrames = 0;
    std::uint32_t Streams = 0;
    std::uint32_t SuggestedBufferSize = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// The fields of a stream header ("strh") that are not zero here.
struct StreamHeaderFields {
    const char* Type = "vids";
    std::uint32_t Scale = 0;
    std::uint32_t Rate = 0;
    std::uint32_t Length = 0;
    std::uint32_t SuggestedBufferSize = 0;
    std::uint32_t SampleSize = 0;
    std::int16_t Right = 0;
    std::int16_t Bottom = 0;
};

QByteArray MainHeader(const MainHeaderFields& fields);
// Where TotalFrames sits in the main header's data.
constexpr int kTotalFramesOffset = 16;
QByteArray StreamHeader(const StreamHeaderFields& fields);
// The OpenDML extended header ("dmlh"): the frames of all RIFF parts.
QByteArray ExtendedHeader(std::uint32_t totalFrames);
