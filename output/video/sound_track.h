#pragma once

#include "output/avi/wav_reader.h"
#include "output/video/ffmpeg_handles.h"
#include "output/video/video_kind.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
}

class DeviceIo;

// The sound of a WAV file (integer or floating-point PCM, any rate and
// channel count) encoded into a clip beside its frames: AAC in MP4, Opus in
// WebM, in stereo at most. The sound keeps pace with the frames as they
// come, and runs to its end when the clip is finished. Throws VideoError.
class SoundTrack {
public:
    // Reads the WAV file's description and adds the sound stream to the
    // container, before its header is written.
    SoundTrack(const QString& wavFile, VideoKind kind, AVFormatContext& format);
    ~SoundTrack();
    SoundTrack(const SoundTrack&) = delete;
    SoundTrack& operator=(const SoundTrack&) = delete;

    // Encodes the sound up to this many seconds from the start.
    void EncodeUntil(double seconds, DeviceIo& io);
    // Encodes the rest and drains the encoder.
    void Finish(DeviceIo& io);

private:
    struct Input {
        int Channels = 0;
        int Rate = 0;
        int SampleBytes = 0;
        bool Float = false;
    };

    void OpenEncoder(VideoKind kind);
    void OpenResampler();
    // Reads, converts and queues up to frames sample frames of the file.
    void Read(std::int64_t frames);
    void Resample(const float* samples, int frames);
    void EncodeQueued(DeviceIo& io, bool all);

    AVFormatContext& format_;
    QFile file_;
    WavAudio wav_;
    Input in_;
    std::int64_t framesRead_ = 0;
    std::int64_t framesTotal_ = 0;
    CodecHandle codec_;
    AVStream* stream_ = nullptr;
    SwrContext* resampler_ = nullptr;
    AVAudioFifo* queue_ = nullptr;
    FrameHandle frame_{av_frame_alloc()};
    PacketHandle packet_{av_packet_alloc()};
    std::int64_t nextPts_ = 0;
    std::vector<float> samples_;
};
