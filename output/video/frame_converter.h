#pragma once

#include "output/video/ffmpeg_handles.h"
#include "output/video/mono_to_yuv.h"
#include "output/video/video_encoder.h"

#include <QImage>

#include <array>
#include <cstdint>

// Turns pictures into the encoder's frames: YUV 4:2:0 for H.264 and VP9
// (H.264 needs even sides, so an odd picture gets a row or column of the
// background), or palette indices for a GIF, whose 256 entries run from
// the background to the foreground: a drawing of two colours keeps them
// exactly, the shades of smoothed lines keep their place between them. A
// coloured curve's GIF has the background and the curve's colours instead,
// each pixel taking the nearest.
class FrameConverter {
public:
    explicit FrameConverter(const VideoSettings& settings);

    QSize CodedSize() const { return coded_; }
    // The picture, in QImage::Format_RGB32 or in two colours in Format_Mono,
    // as a frame; valid until the next call.
    AVFrame& Convert(const QImage& picture);

private:
    void ToYuv(const QImage& picture);
    void ToPalette(const QImage& picture);
    void BitsToPalette(const QImage& picture);
    std::uint8_t IndexOf(QRgb colour) const;
    std::uint8_t NearestOf(QRgb colour) const;

    VideoSettings settings_;
    QSize coded_;
    QSize scaled_; // the coded size made even
    FrameHandle frame_;
    ScalerHandle scaler_;
    MonoToYuv mono_;
    QImage padded_;
    std::array<std::uint32_t, 256> palette_{};
};
