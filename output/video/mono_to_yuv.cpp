#include "output/video/mono_to_yuv.h"

#include "model/bits_per_byte.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kSamplesPerByte = kBitsPerByte / 2;

struct Yuv {
    double Y, U, V;
};

// BT.601 in studio range, from full-range RGB.
Yuv YuvOf(QRgb colour)
{
    const double r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    return {16 + (65.481 * r + 128.553 * g + 24.966 * b) / 255, 128 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255,
            128 + (112.0 * r - 93.786 * g - 18.214 * b) / 255};
}

std::uint8_t Sample(double value)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// Row y of the picture into row, which spans the frame: the bits beyond
// the picture, which QImage leaves undefined, cleared to the background.
void ReadRow(const QImage& picture, int y, std::vector<std::uint8_t>& row)
{
    std::fill(row.begin(), row.end(), 0);
    if (y >= picture.height())
        return;
    const int bytes = (picture.width() + kBitsPerByte - 1) / kBitsPerByte;
    std::memcpy(row.data(), picture.constScanLine(y), static_cast<std::size_t>(bytes));
    if (const int beyond = bytes * kBitsPerByte - picture.width(); beyond > 0)
        row[bytes - 1] &= static_cast<std::uint8_t>(0xFF << beyond);
}

} // namespace

void MonoToYuv::Convert(const QImage& picture, AVFrame& frame)
{
    Prepare(picture.color(0), picture.color(1));
    const std::size_t bytes = (static_cast<std::size_t>(frame.width) + kBitsPerByte - 1) / kBitsPerByte;
    top_.resize(bytes);
    bottom_.resize(bytes);
    for (int y = 0; y < frame.height; y += 2) {
        const int rows = std::min(2, frame.height - y);
        ReadRow(picture, y, top_);
        ReadRow(picture, y + 1, bottom_);
        Luma(top_, frame, y);
        if (rows == 2)
            Luma(bottom_, frame, y + 1);
        Chroma(frame, y / 2, rows);
    }
}

void MonoToYuv::Prepare(QRgb background, QRgb foreground)
{
    if (prepared_ && background == background_ && foreground == foreground_)
        return;
    prepared_ = true;
    background_ = background;
    foreground_ = foreground;
    const Yuv b = YuvOf(background), f = YuvOf(foreground);
    for (int bits = 0; bits < 256; ++bits) {
        pairs_[bits] = 0;
        for (int k = 0; k < kBitsPerByte; ++k) {
            const bool lit = (bits >> (kBitsPerByte - 1 - k)) & 1;
            luma_[bits][k] = Sample(lit ? f.Y : b.Y);
            pairs_[bits] += static_cast<std::uint32_t>(lit) << (kBitsPerByte * (k / 2));
        }
    }
    for (int pixels = 1; pixels <= 4; ++pixels) {
        for (int lit = 0; lit <= pixels; ++lit) {
            u_[pixels][lit] = Sample(b.U + (f.U - b.U) * lit / pixels);
            v_[pixels][lit] = Sample(b.V + (f.V - b.V) * lit / pixels);
        }
    }
}

void MonoToYuv::Luma(const std::vector<std::uint8_t>& row, AVFrame& frame, int y) const
{
    std::uint8_t* out = frame.data[0] + static_cast<std::ptrdiff_t>(y) * frame.linesize[0];
    const int whole = frame.width / kBitsPerByte;
    for (int i = 0; i < whole; ++i)
        std::memcpy(out + i * kBitsPerByte, luma_[row[i]].data(), kBitsPerByte);
    if (const int rest = frame.width - whole * kBitsPerByte; rest > 0)
        std::memcpy(out + whole * kBitsPerByte, luma_[row[whole]].data(), static_cast<std::size_t>(rest));
}

// Each byte of the two rows gives four blocks; a block past an odd right
// edge has only its left pixels.
void MonoToYuv::Chroma(AVFrame& frame, int y, int rows) const
{
    std::uint8_t* u = frame.data[1] + static_cast<std::ptrdiff_t>(y) * frame.linesize[1];
    std::uint8_t* v = frame.data[2] + static_cast<std::ptrdiff_t>(y) * frame.linesize[2];
    const int width = (frame.width + 1) / 2;
    const auto& uOf = u_[2 * rows];
    const auto& vOf = v_[2 * rows];
    for (int x = 0; x < width; x += kSamplesPerByte) {
        const std::size_t i = static_cast<std::size_t>(x / kSamplesPerByte);
        const std::uint32_t lit = pairs_[top_[i]] + pairs_[bottom_[i]];
        for (int k = 0; k < kSamplesPerByte && x + k < width; ++k) {
            const std::uint32_t count = (lit >> (kBitsPerByte * k)) & 0xFF;
            u[x + k] = uOf[count];
            v[x + k] = vOf[count];
        }
    }
    if (frame.width % 2 != 0) {
        const int x = width - 1;
        const std::size_t i = static_cast<std::size_t>(x / kSamplesPerByte);
        const std::uint32_t lit = pairs_[top_[i]] + pairs_[bottom_[i]];
        const std::uint32_t count = (lit >> (kBitsPerByte * (x % kSamplesPerByte))) & 0xFF;
        u[x] = u_[rows][count];
        v[x] = v_[rows][count];
    }
}
