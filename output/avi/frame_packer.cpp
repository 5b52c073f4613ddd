#include "frame_packer.h"

#include "frame_format.h"

#include <cstring>

namespace {

// Nearest-entry answers kept at most; a picture of many colours starts afresh.
constexpr qsizetype kKnownColourLimit = 1 << 16;
constexpr QRgb kOpaque = 0xFF000000;

} // namespace

FramePacker::FramePacker(const QImage& firstFrame, int bits)
    : bits_(bits)
{
    if (bits <= 8)
        table_.emplace(firstFrame, bits);
}

QList<QRgb> FramePacker::Colours() const
{
    return table_ ? table_->Colours() : QList<QRgb>();
}

const QByteArray& FramePacker::Pack(const QImage& frame)
{
    const int width = frame.width();
    const std::int64_t rowBytes = RowBytes(width, bits_);
    rows_.resize(rowBytes * frame.height());
    for (int y = 0; y < frame.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        auto* out = reinterpret_cast<uchar*>(rows_.data()) + (frame.height() - 1 - y) * rowBytes;
        std::memset(out, 0, rowBytes);
        if (bits_ == 24)
            PackTrueColourRow(in, out, width);
        else if (!(bits_ == 1 && PackTwoColourRow(in, out, width)))
            PackIndexedRow(in, out, width);
    }
    return rows_;
}

int FramePacker::Index(QRgb colour)
{
    colour |= kOpaque;
    const auto found = known_.constFind(colour);
    if (found != known_.constEnd())
        return *found;
    if (known_.size() >= kKnownColourLimit)
        known_.clear();
    const int index = table_->Nearest(colour);
    known_.insert(colour, index);
    return index;
}

// The common case of a recording: every pixel one of the two entries. Gives
// false, leaving the row to the general path, when any pixel is not.
bool FramePacker::PackTwoColourRow(const QRgb* in, uchar* out, int width) const
{
    const QList<QRgb>& colours = table_->Colours();
    const QRgb zero = colours[0];
    const QRgb one = colours[1];
    unsigned other = 0;
    for (int x = 0; x < width; x += 8) {
        unsigned byte = 0;
        const int count = width - x < 8 ? width - x : 8;
        for (int j = 0; j < count; ++j) {
            const QRgb c = in[x + j] | kOpaque;
            byte |= unsigned(c == one) << (7 - j);
            other |= unsigned(c != zero && c != one);
        }
        out[x / 8] = static_cast<uchar>(byte);
    }
    return other == 0;
}

void FramePacker::PackIndexedRow(const QRgb* in, uchar* out, int width)
{
    const int perByte = 8 / bits_;
    QRgb last = ~in[0];
    int index = 0;
    for (int x = 0; x < width; ++x) {
        if (in[x] != last) {
            last = in[x];
            index = Index(last);
        }
        out[x / perByte] |= static_cast<uchar>(index << (8 - bits_ * (x % perByte + 1)));
    }
}

void FramePacker::PackTrueColourRow(const QRgb* in, uchar* out, int width)
{
    for (int x = 0; x < width; ++x) {
        *out++ = static_cast<uchar>(qBlue(in[x]));
        *out++ = static_cast<uchar>(qGreen(in[x]));
        *out++ = static_cast<uchar>(qRed(in[x]));
    }
}
