#include "output/video/sound_track.h"

#include "output/avi/avi_error.h"
#include "output/video/encoding_step.h"
#include "output/video/video_encoder.h"

#include <QtEndian>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kExtensibleTagAt = 24;
// More channels than a stereo player has are mixed down.
constexpr int kMostChannels = 2;
// Opus runs at 48 kHz; AAC too where the sound's own rate is not one of its.
constexpr int kOpusRate = 48000;
constexpr std::int64_t kAacBitRate = 192000;
constexpr std::int64_t kOpusBitRate = 128000;
// Sample frames read from the file at a time.
constexpr std::int64_t kReadFrames = 4096;

[[noreturn]] void Unreadable()
{
    throw VideoError("The file could not be read, indicating a corrupt file or an unrecognized format.");
}

std::uint16_t U16(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// One sample of sampleBytes bytes as a float in [-1, 1].
float SampleAt(const unsigned char* p, int sampleBytes, bool isFloat)
{
    if (isFloat) {
        if (sampleBytes == 4) {
            float f;
            std::memcpy(&f, p, sizeof f);
            return qFromLittleEndian(f);
        }
        double d;
        std::memcpy(&d, p, sizeof d);
        return static_cast<float>(qFromLittleEndian(d));
    }
    switch (sampleBytes) {
    case 1:
        return (p[0] - 128) / 128.0f;
    case 2:
        return qFromLittleEndian<qint16>(p) / 32768.0f;
    case 3: {
        const std::int32_t v = static_cast<std::int32_t>(p[0] << 8 | p[1] << 16 | static_cast<std::uint32_t>(p[2]) << 24);
        return static_cast<float>(v / 2147483648.0);
    }
    default:
        return static_cast<float>(qFromLittleEndian<qint32>(p) / 2147483648.0);
    }
}

int RateFor(const AVCodec& encoder, int wanted)
{
    if (!encoder.supported_samplerates)
        return wanted;
    for (const int* rate = encoder.supported_samplerates; *rate; ++rate)
        if (*rate == wanted)
            return wanted;
    return kOpusRate;
}

} // namespace

SoundTrack::SoundTrack(const QString& wavFile, VideoKind kind, AVFormatContext& format)
    : format_(format)
{
    try {
        wav_ = ReadWavFile(wavFile);
        OpenWavFile(file_, wavFile);
    } catch (const AviError& e) {
        throw VideoError(e.what());
    }
    const QByteArray& f = wav_.Format;
    const std::uint16_t tag = U16(f, 0) == kFormatExtensible && f.size() > kExtensibleTagAt + 1
                                  ? U16(f, kExtensibleTagAt)
                                  : U16(f, 0);
    in_.Channels = U16(f, 2);
    in_.Rate = static_cast<int>(qFromLittleEndian<quint32>(f.constData() + 4));
    in_.Float = tag == kFormatFloat;
    in_.SampleBytes = in_.Channels > 0 ? wav_.BlockAlign / in_.Channels : 0;
    const bool widthKnown = in_.Float ? in_.SampleBytes == 4 || in_.SampleBytes == 8
                                      : in_.SampleBytes >= 1 && in_.SampleBytes <= 4;
    if ((tag != kFormatPcm && tag != kFormatFloat) || in_.Rate <= 0 || !widthKnown
        || wav_.BlockAlign != in_.Channels * in_.SampleBytes || !frame_
        || !packet_)
        Unreadable();
    framesTotal_ = wav_.DataSize / wav_.BlockAlign;
    OpenEncoder(kind);
    OpenResampler();
}

SoundTrack::~SoundTrack()
{
    swr_free(&resampler_);
    if (queue_)
        av_audio_fifo_free(queue_);
}

void SoundTrack::OpenEncoder(VideoKind kind)
{
    const bool opus = kind == VideoKind::WebM;
    const AVCodec* encoder = avcodec_find_encoder_by_name(opus ? "libopus" : "aac");
    if (!encoder)
        throw VideoError(opus ? "The sound encoder libopus is missing" : "The sound encoder aac is missing");
    stream_ = avformat_new_stream(&format_, nullptr);
    codec_.reset(avcodec_alloc_context3(encoder));
    if (!stream_ || !codec_)
        throw VideoError("Failed to create the sound stream: out of memory");
    codec_->sample_fmt = encoder->sample_fmts ? encoder->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    codec_->sample_rate = opus ? kOpusRate : RateFor(*encoder, in_.Rate);
    av_channel_layout_default(&codec_->ch_layout, std::min(in_.Channels, kMostChannels));
    codec_->bit_rate = opus ? kOpusBitRate : kAacBitRate;
    codec_->time_base = av_make_q(1, codec_->sample_rate);
    if (format_.oformat->flags & AVFMT_GLOBALHEADER)
        codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    ThrowOnError(avcodec_open2(codec_.get(), encoder, nullptr), "Failed to create the sound stream");
    ThrowOnError(avcodec_parameters_from_context(stream_->codecpar, codec_.get()), "Failed to create the sound stream");
    stream_->time_base = codec_->time_base;
}

void SoundTrack::OpenResampler()
{
    AVChannelLayout inLayout{};
    av_channel_layout_default(&inLayout, in_.Channels);
    const int made = swr_alloc_set_opts2(&resampler_, &codec_->ch_layout, codec_->sample_fmt, codec_->sample_rate,
                                         &inLayout, AV_SAMPLE_FMT_FLT, in_.Rate, 0, nullptr);
    av_channel_layout_uninit(&inLayout);
    ThrowOnError(made, "Failed to create the sound stream");
    ThrowOnError(swr_init(resampler_), "Failed to create the sound stream");
    queue_ = av_audio_fifo_alloc(codec_->sample_fmt, codec_->ch_layout.nb_channels, 1);
    if (!queue_)
        throw VideoError("Failed to create the sound stream: out of memory");
}

void SoundTrack::Read(std::int64_t frames)
{
    QByteArray bytes;
    while (frames > 0) {
        const std::int64_t count = std::min(frames, kReadFrames);
        if (!file_.seek(wav_.DataOffset + framesRead_ * wav_.BlockAlign)
            || (bytes = file_.read(count * wav_.BlockAlign)).size() != count * wav_.BlockAlign)
            throw VideoError("A disk error occurred while reading the audio file.");
        samples_.resize(static_cast<std::size_t>(count * in_.Channels));
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
        for (std::size_t i = 0; i < samples_.size(); ++i)
            samples_[i] = SampleAt(p + i * in_.SampleBytes, in_.SampleBytes, in_.Float);
        Resample(samples_.data(), static_cast<int>(count));
        framesRead_ += count;
        frames -= count;
    }
}

// Without samples, hands out what the resampler still holds.
void SoundTrack::Resample(const float* samples, int frames)
{
    const int room = swr_get_out_samples(resampler_, frames);
    ThrowOnError(room, "Failed to add sound to the video");
    uint8_t** out = nullptr;
    ThrowOnError(av_samples_alloc_array_and_samples(&out, nullptr, codec_->ch_layout.nb_channels, std::max(room, 1),
                                                    codec_->sample_fmt, 0),
                 "Failed to add sound to the video");
    const auto* in = reinterpret_cast<const uint8_t*>(samples);
    const int converted = swr_convert(resampler_, out, std::max(room, 1), samples ? &in : nullptr, frames);
    const int queued = converted > 0 ? av_audio_fifo_write(queue_, reinterpret_cast<void**>(out), converted) : 0;
    av_freep(&out[0]);
    av_freep(&out);
    ThrowOnError(std::min(converted, queued), "Failed to add sound to the video");
}

// Whole encoder frames, and with all the last part too.
void SoundTrack::EncodeQueued(DeviceIo& io, bool all)
{
    const int frameSize = codec_->frame_size > 0 ? codec_->frame_size : static_cast<int>(kReadFrames);
    while (av_audio_fifo_size(queue_) >= frameSize || (all && av_audio_fifo_size(queue_) > 0)) {
        av_frame_unref(frame_.get());
        frame_->nb_samples = std::min(frameSize, av_audio_fifo_size(queue_));
        frame_->format = codec_->sample_fmt;
        frame_->sample_rate = codec_->sample_rate;
        ThrowOnError(av_channel_layout_copy(&frame_->ch_layout, &codec_->ch_layout), "Failed to add sound to the video");
        ThrowOnError(av_frame_get_buffer(frame_.get(), 0), "Failed to add sound to the video");
        ThrowOnError(av_audio_fifo_read(queue_, reinterpret_cast<void**>(frame_->data), frame_->nb_samples),
                     "Failed to add sound to the video");
        frame_->pts = nextPts_;
        nextPts_ += frame_->nb_samples;
        EncodeInto(format_, io, *codec_, *stream_, *packet_, frame_.get());
    }
}

void SoundTrack::EncodeUntil(double seconds, DeviceIo& io)
{
    const auto wanted = std::min(framesTotal_, static_cast<std::int64_t>(std::ceil(seconds * in_.Rate)));
    if (wanted > framesRead_)
        Read(wanted - framesRead_);
    EncodeQueued(io, false);
}

void SoundTrack::Finish(DeviceIo& io)
{
    Read(framesTotal_ - framesRead_);
    Resample(nullptr, 0);
    EncodeQueued(io, true);
    EncodeInto(format_, io, *codec_, *stream_, *packet_, nullptr);
}
