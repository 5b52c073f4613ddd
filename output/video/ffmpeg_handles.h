#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <memory>

// FFmpeg's objects, each freed by its own function when its owner goes.
struct FormatFree {
    void operator()(AVFormatContext* p) const { avformat_free_context(p); }
};
struct CodecFree {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFree {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct ScalerFree {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};

using FormatHandle = std::unique_ptr<AVFormatContext, FormatFree>;
using CodecHandle = std::unique_ptr<AVCodecContext, CodecFree>;
using PacketHandle = std::unique_ptr<AVPacket, PacketFree>;
using FrameHandle = std::unique_ptr<AVFrame, FrameFree>;
using ScalerHandle = std::unique_ptr<SwsContext, ScalerFree>;
