#include "output/video/encoding_step.h"

#include "output/video/device_io.h"
#include "output/video/video_encoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <string>

void ThrowOnError(int result, const char* what)
{
    if (result >= 0)
        return;
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(result, text, sizeof text);
    throw VideoError(std::string(what) + ": " + text);
}

void EncodeInto(AVFormatContext& format, DeviceIo& io, AVCodecContext& codec, AVStream& stream, AVPacket& packet,
                const AVFrame* frame)
{
    ThrowOnError(avcodec_send_frame(&codec, frame), "Failed to add frame to the video");
    for (;;) {
        const int received = avcodec_receive_packet(&codec, &packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return;
        ThrowOnError(received, "Failed to add frame to the video");
        av_packet_rescale_ts(&packet, codec.time_base, stream.time_base);
        packet.stream_index = stream.index;
        io.Check(av_interleaved_write_frame(&format, &packet), "Failed to add frame to the video");
    }
}
