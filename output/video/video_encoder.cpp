#include "output/video/video_encoder.h"

#include "output/video/device_io.h"
#include "output/video/encoding_step.h"
#include "output/video/ffmpeg_handles.h"
#include "output/video/frame_converter.h"
#include "output/video/sound_track.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <string>


namespace {

struct Recipe {
    const char* Container;
    const char* Encoder;
    AVPixelFormat Pixels;
};

Recipe RecipeOf(VideoKind kind)
{
    switch (kind) {
    case VideoKind::WebM:
        return {"webm", "libvpx-vp9", AV_PIX_FMT_YUV420P};
    case VideoKind::Gif:
        return {"gif", "gif", AV_PIX_FMT_PAL8};
    case VideoKind::Mp4:
        break;
    }
    return {"mp4", "libx264", AV_PIX_FMT_YUV420P};
}

// GIF readers show a frame of less than two hundredths of a second for a
// tenth of a second. A faster clip keeps its length on a grid of this frame
// time: a frame that falls on the grid's step of the one before is left
// out, so that frames are dropped evenly.
constexpr int kGifShortestFrame = 20; // milliseconds

int FrameTimeOf(const VideoSettings& settings)
{
    return settings.Kind == VideoKind::Gif ? std::max(settings.FrameTime, kGifShortestFrame) : settings.FrameTime;
}

// Lossy codecs tuned for line drawings that move: fast enough to keep up
// with the recording, fine enough that a thin line stays sharp.
void Tune(AVCodecContext& codec, VideoKind kind)
{
    codec.thread_count = 0; // as many as there are cores
    switch (kind) {
    case VideoKind::Mp4:
        av_opt_set(codec.priv_data, "preset", "ultrafast", 0);
        av_opt_set(codec.priv_data, "tune", "zerolatency", 0);
        av_opt_set(codec.priv_data, "crf", "20", 0);
        break;
    case VideoKind::WebM:
        av_opt_set(codec.priv_data, "deadline", "realtime", 0);
        av_opt_set(codec.priv_data, "cpu-used", "8", 0);
        av_opt_set(codec.priv_data, "row-mt", "1", 0);
        av_opt_set(codec.priv_data, "crf", "24", 0);
        codec.bit_rate = 0;
        break;
    case VideoKind::Gif:
        break;
    }
}

} // namespace

struct VideoEncoder::Streams {
    Streams(QIODevice& out, const VideoSettings& settings)
        : io(out), converter(settings), kind(settings.Kind)
    {
    }

    void Open(const VideoSettings& settings);
    void Send(const AVFrame* frame);

    DeviceIo io;
    FrameConverter converter;
    std::unique_ptr<SoundTrack> sound;
    int frameTime = 0;
    int gridTime = 0; // milliseconds, a step of the stream's time base
    VideoKind kind;
    FormatHandle format;
    CodecHandle codec;
    PacketHandle packet{av_packet_alloc()};
    AVStream* stream = nullptr;
    std::int64_t next = 0;
    std::int64_t lastPts = -1;
};

void VideoEncoder::Streams::Open(const VideoSettings& settings)
{
    const Recipe recipe = RecipeOf(settings.Kind);
    AVFormatContext* context = nullptr;
    ThrowOnError(avformat_alloc_output_context2(&context, nullptr, recipe.Container, nullptr),
          "Failed to create the video container");
    format.reset(context);
    format->pb = io.Context();
    if (settings.Kind == VideoKind::Mp4) {
        // The index goes in front of the frames, so that a browser plays
        // the clip while it loads.
        av_opt_set(format->priv_data, "movflags", "+faststart", 0);
        io.ServeReadsOf(*format);
    }
    const AVCodec* encoder = avcodec_find_encoder_by_name(recipe.Encoder);
    if (!encoder)
        throw VideoError(std::string("The video encoder ") + recipe.Encoder + " is missing");
    stream = avformat_new_stream(format.get(), nullptr);
    codec.reset(avcodec_alloc_context3(encoder));
    if (!stream || !codec || !packet)
        throw VideoError("Failed to create the video stream: out of memory");
    const QSize coded = converter.CodedSize();
    codec->width = coded.width();
    codec->height = coded.height();
    codec->pix_fmt = recipe.Pixels;
    gridTime = FrameTimeOf(settings);
    codec->time_base = av_make_q(gridTime, 1000);
    if (settings.Kind != VideoKind::Gif) {
        // The matrix both conversions use (swscale and MonoToYuv), so that
        // players show the colours.
        codec->colorspace = AVCOL_SPC_SMPTE170M;
        codec->color_range = AVCOL_RANGE_MPEG;
    }
    codec->framerate = av_inv_q(codec->time_base);
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Tune(*codec, settings.Kind);
    ThrowOnError(avcodec_open2(codec.get(), encoder, nullptr), "Failed to create the video stream");
    ThrowOnError(avcodec_parameters_from_context(stream->codecpar, codec.get()), "Failed to create the video stream");
    stream->time_base = codec->time_base;
    stream->avg_frame_rate = codec->framerate;
    if (!settings.SoundFile.isEmpty())
        sound = std::make_unique<SoundTrack>(settings.SoundFile, settings.Kind, *format);
    frameTime = settings.FrameTime;
    io.Check(avformat_write_header(format.get(), nullptr), "Unable to write output file");
}

void VideoEncoder::Streams::Send(const AVFrame* frame)
{
    EncodeInto(*format, io, *codec, *stream, *packet, frame);
}

VideoEncoder::VideoEncoder(QIODevice& out, const VideoSettings& settings)
    : streams_(std::make_unique<Streams>(out, settings))
{
    av_log_set_level(AV_LOG_QUIET);
    streams_->Open(settings);
}

VideoEncoder::~VideoEncoder() = default;

void VideoEncoder::AddFrame(const QImage& picture)
{
    const std::int64_t pts = streams_->next++ * streams_->frameTime / streams_->gridTime;
    if (pts > streams_->lastPts) {
        AVFrame& frame = streams_->converter.Convert(picture);
        frame.pts = streams_->lastPts = pts;
        streams_->Send(&frame);
    }
    if (streams_->sound)
        streams_->sound->EncodeUntil(static_cast<double>(streams_->next) * streams_->frameTime / 1000, streams_->io);
}

void VideoEncoder::Finish()
{
    streams_->Send(nullptr);
    if (streams_->sound)
        streams_->sound->Finish(streams_->io);
    streams_->io.Check(av_write_trailer(streams_->format.get()), "Unable to write output file");
    streams_->io.Flush();
}
