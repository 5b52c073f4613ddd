#pragma once

#include "output/video/ffmpeg_handles.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

// Pictures of two colours, a bit a pixel, straight into YUV 4:2:0 by
// tables: the general conversion filters every pixel of a full-colour copy,
// which at 1080p costs more than encoding the frame does. Luma is each
// pixel's colour, chroma the mean of each 2 × 2 block; pixels of the frame
// beyond the picture (the side H.264 pads) are the background. Colours go
// through the BT.601 studio-range matrix the encoders declare.
class MonoToYuv {
public:
    // picture in QImage::Format_Mono with its two colours in its table;
    // frame in YUV 4:2:0 and at least as large.
    void Convert(const QImage& picture, AVFrame& frame);

private:
    void Prepare(QRgb background, QRgb foreground);
    void Luma(const std::vector<std::uint8_t>& row, AVFrame& frame, int y) const;
    void Chroma(AVFrame& frame, int y, int rows) const;

    bool prepared_ = false;
    QRgb background_ = 0;
    QRgb foreground_ = 0;
    // The luma of the eight pixels of each byte of bits.
    std::array<std::array<std::uint8_t, 8>, 256> luma_{};
    // How many of the two pixels under each quarter of a byte are lit, a
    // byte a quarter.
    std::array<std::uint32_t, 256> pairs_{};
    // Chroma by the pixels of a block (1, 2 or 4 at the frame's edges) and
    // how many of them are the foreground.
    std::array<std::array<std::uint8_t, 5>, 5> u_{};
    std::array<std::array<std::uint8_t, 5>, 5> v_{};
    // The two rows of the blocks being converted.
    std::vector<std::uint8_t> top_;
    std::vector<std::uint8_t> bottom_;
};
