#include "output/video/frame_converter.h"

#include "model/bits_per_byte.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kPaletteEntries = 256;

// libswscale leaves the last column of colour unwritten at an odd width,
// so it converts a picture of even sides, padded with the background, into
// a frame whose buffer holds them.
QSize EvenSizeOf(QSize size)
{
    return {size.width() + size.width() % 2, size.height() + size.height() % 2};
}

QSize CodedSizeOf(const VideoSettings& settings)
{
    return settings.Kind == VideoKind::Mp4 ? EvenSizeOf(settings.Frame) : settings.Frame;
}

int Blend(int from, int to, int step)
{
    return from + (to - from) * step / (kPaletteEntries - 1);
}

} // namespace

FrameConverter::FrameConverter(const VideoSettings& settings)
    : settings_(settings), coded_(CodedSizeOf(settings)), scaled_(EvenSizeOf(coded_)), frame_(av_frame_alloc())
{
    if (!frame_)
        throw VideoError("Failed to create the video stream: out of memory");
    const bool gif = settings.Kind == VideoKind::Gif;
    frame_->format = gif ? AV_PIX_FMT_PAL8 : AV_PIX_FMT_YUV420P;
    frame_->width = scaled_.width();
    frame_->height = scaled_.height();
    if (av_frame_get_buffer(frame_.get(), 0) < 0)
        throw VideoError("Failed to create the video stream: out of memory");
    frame_->width = coded_.width();
    frame_->height = coded_.height();
    if (gif && !settings.CurveColors.empty()) {
        // Every colour when they fit beside the background, else evenly
        // spread over them.
        const auto count = static_cast<int>(settings.CurveColors.size());
        const int entries = std::min(count, kPaletteEntries - 1);
        palette_.fill(settings.Background);
        for (int i = 0; i < entries; ++i)
            palette_[i + 1] = settings.CurveColors[static_cast<std::size_t>(i * (count - 1) / std::max(entries - 1, 1))];
        return;
    }
    if (gif) {
        const QRgb a = settings.Background, b = settings.Foreground;
        for (int i = 0; i < kPaletteEntries; ++i)
            palette_[i] = qRgb(Blend(qRed(a), qRed(b), i), Blend(qGreen(a), qGreen(b), i), Blend(qBlue(a), qBlue(b), i));
        return;
    }
    scaler_.reset(sws_getContext(scaled_.width(), scaled_.height(), AV_PIX_FMT_RGB32, scaled_.width(),
                                 scaled_.height(), AV_PIX_FMT_YUV420P, SWS_POINT, nullptr, nullptr, nullptr));
    if (!scaler_)
        throw VideoError("Failed to create the video stream: no conversion to YUV");
    if (scaled_ != settings.Frame) {
        padded_ = QImage(scaled_, QImage::Format_RGB32);
        padded_.fill(settings.Background);
    }
}

AVFrame& FrameConverter::Convert(const QImage& picture)
{
    if (av_frame_make_writable(frame_.get()) < 0)
        throw VideoError("Failed to add frame to the video: out of memory");
    const bool bits = picture.format() == QImage::Format_Mono;
    if (settings_.Kind == VideoKind::Gif)
        bits ? BitsToPalette(picture) : ToPalette(picture);
    else
        bits ? mono_.Convert(picture, *frame_) : ToYuv(picture);
    return *frame_;
}

void FrameConverter::ToYuv(const QImage& picture)
{
    const QImage* source = &picture;
    if (!padded_.isNull()) {
        QPainter painter(&padded_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture);
        source = &padded_;
    }
    const std::uint8_t* rows[] = {source->constBits()};
    const int strides[] = {static_cast<int>(source->bytesPerLine())};
    sws_scale(scaler_.get(), rows, strides, 0, scaled_.height(), frame_->data, frame_->linesize);
}

std::uint8_t FrameConverter::NearestOf(QRgb colour) const
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < kPaletteEntries; ++i) {
        const QRgb entry = palette_[static_cast<std::size_t>(i)];
        const int dr = qRed(entry) - qRed(colour), dg = qGreen(entry) - qGreen(colour), db = qBlue(entry) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

// The palette entry nearest along the line from the background to the
// foreground, or among the curve's colours.
std::uint8_t FrameConverter::IndexOf(QRgb colour) const
{
    if (!settings_.CurveColors.empty())
        return NearestOf(colour);
    const QRgb a = settings_.Background, b = settings_.Foreground;
    const int dr = qRed(b) - qRed(a), dg = qGreen(b) - qGreen(a), db = qBlue(b) - qBlue(a);
    const int length = dr * dr + dg * dg + db * db;
    if (length == 0)
        return 0;
    const int along = (qRed(colour) - qRed(a)) * dr + (qGreen(colour) - qGreen(a)) * dg + (qBlue(colour) - qBlue(a)) * db;
    const double step = std::round(static_cast<double>(along) * (kPaletteEntries - 1) / length);
    return static_cast<std::uint8_t>(std::clamp(step, 0.0, kPaletteEntries - 1.0));
}

void FrameConverter::ToPalette(const QImage& picture)
{
    std::copy(palette_.begin(), palette_.end(), reinterpret_cast<std::uint32_t*>(frame_->data[1]));
    for (int y = 0; y < coded_.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        std::uint8_t* out = frame_->data[0] + static_cast<std::ptrdiff_t>(y) * frame_->linesize[0];
        QRgb last = ~in[0];
        std::uint8_t index = 0;
        for (int x = 0; x < coded_.width(); ++x) {
            if (in[x] != last) {
                last = in[x];
                index = IndexOf(last);
            }
            out[x] = index;
        }
    }
}

// The ends of the palette: the background and the foreground.
void FrameConverter::BitsToPalette(const QImage& picture)
{
    std::copy(palette_.begin(), palette_.end(), reinterpret_cast<std::uint32_t*>(frame_->data[1]));
    for (int y = 0; y < coded_.height(); ++y) {
        const std::uint8_t* in = picture.constScanLine(y);
        std::uint8_t* out = frame_->data[0] + static_cast<std::ptrdiff_t>(y) * frame_->linesize[0];
        for (int x = 0; x < coded_.width(); ++x)
            out[x] = (in[x / kBitsPerByte] >> (kBitsPerByte - 1 - x % kBitsPerByte)) & 1 ? kPaletteEntries - 1 : 0;
    }
}
