#pragma once

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
class DeviceIo;

// Throws VideoError with what and FFmpeg's reason when result is an error.
void ThrowOnError(int result, const char* what);

// Sends one frame to an encoder, or none to drain it, and writes every
// packet it gives into the container, in the stream's time.
void EncodeInto(AVFormatContext& format, DeviceIo& io, AVCodecContext& codec, AVStream& stream, AVPacket& packet,
                const AVFrame* frame);
