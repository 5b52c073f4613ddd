#pragma once

#include "output/video/video_kind.h"

#include <QImage>
#include <QIODevice>
#include <QRgb>
#include <QSize>
#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

// A failure of the encoding or of writing the clip; the message is for the
// user, in English like the AVI writer's.
class VideoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a clip is made of: its kind, the frames' size and time, the two
// colours of the drawing (H.264 pads odd sizes with the background, a GIF's
// palette runs from the background to the foreground), and its sound.
struct VideoSettings {
    VideoKind Kind = VideoKind::Mp4;
    QSize Frame;
    int FrameTime = 0; // milliseconds
    QRgb Background = qRgb(255, 255, 255);
    QRgb Foreground = qRgb(0, 0, 0);
    QString SoundFile; // a WAV file, or empty for none
    // A coloured curve's colours instead of the foreground: a GIF's palette
    // holds the background and these.
    std::vector<QRgb> CurveColors = {};
};

// Encodes pictures into a clip through FFmpeg's libraries and writes it to
// a random-access device: H.264 in MP4, VP9 in WebM, or a looping GIF. Not
// thread-safe: one thread at a time. Throws VideoError.
class VideoEncoder {
public:
    VideoEncoder(QIODevice& out, const VideoSettings& settings);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // A picture of the frame size in QImage::Format_RGB32.
    void AddFrame(const QImage& picture);
    // Flushes the encoder and completes the container.
    void Finish();

private:
    struct Streams;
    std::unique_ptr<Streams> streams_;
};
