#include "output/avi/frame_packer.h"

#include "output/avi/frame_format.h"

#include <array>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Nearest-entry answers kept at most; a picture of many colours starts afresh.
constexpr qsizetype kKnownColourLimit = 1 << 16;
constexpr QRgb kOpaque = 0xFF000000;
constexpr int kBitsPerByte = 8;

// Each byte with its bits in the opposite order: a mask taken from the
// first pixel up holds it in the lowest bit, the stored row in the highest.
constexpr std::array<uchar, 256> ReversedBytes()
{
    std::array<uchar, 256> reversed{};
    for (int b = 0; b < 256; ++b)
        for (int i = 0; i < kBitsPerByte; ++i)
            if (b & (1 << i))
                reversed[b] = static_cast<uchar>(reversed[b] | 0x80 >> i);
    return reversed;
}
constexpr std::array<uchar, 256> kReversed = ReversedBytes();

// Eight pixels, each zero or one, as the byte of a stored row.
uchar PackEight(const QRgb* in, QRgb zero, QRgb one, unsigned& other)
{
    unsigned byte = 0;
    for (int j = 0; j < kBitsPerByte; ++j) {
        const QRgb c = in[j] & ~kOpaque;
        byte = (byte << 1) | unsigned(c == one);
        other |= unsigned(c != zero) & unsigned(c != one);
    }
    return static_cast<uchar>(byte);
}

} // namespace

FramePacker::FramePacker(const QImage& firstFrame, int bits)
    : bits_(bits)
{
    if (bits <= 8)
        table_.emplace(firstFrame.format() == QImage::Format_RGB32 ? firstFrame
                                                                    : firstFrame.convertToFormat(QImage::Format_RGB32),
                       bits);
}

QList<QRgb> FramePacker::Colours() const
{
    return table_ ? table_->Colours() : QList<QRgb>();
}

const QByteArray& FramePacker::Pack(const QImage& frame)
{
    if (frame.format() == QImage::Format_Mono && bits_ == 1 && frame.colorCount() >= 2)
        PackMono(frame);
    else if (frame.format() == QImage::Format_RGB32)
        PackTrueColour(frame);
    else
        PackTrueColour(frame.convertToFormat(QImage::Format_RGB32));
    return rows_;
}

void FramePacker::PackTrueColour(const QImage& frame)
{
    const int width = frame.width();
    const std::int64_t rowBytes = RowBytes(width, bits_);
    rows_.resize(rowBytes * frame.height());
    for (int y = 0; y < frame.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        auto* out = reinterpret_cast<uchar*>(rows_.data()) + (frame.height() - 1 - y) * rowBytes;
        if (bits_ == 1 && PackTwoColourRow(in, out, width))
            continue;
        std::memset(out, 0, rowBytes);
        if (bits_ == 24)
            PackTrueColourRow(in, out, width);
        else
            PackIndexedRow(in, out, width);
    }
}

// The rows are the stored rows already, but for their order, the two
// colours' places in the stream's table and the bits past the width.
void FramePacker::PackMono(const QImage& frame)
{
    const int width = frame.width();
    const std::int64_t rowBytes = RowBytes(width, 1);
    const qsizetype used = (width + kBitsPerByte - 1) / kBitsPerByte;
    const uchar last = static_cast<uchar>(0xFF << (used * kBitsPerByte - width));
    // Where a bit is one, the stored bit is oneBits' bit; elsewhere zeroBits'.
    const uchar zeroBits = Index(frame.color(0)) ? 0xFF : 0x00;
    const uchar oneBits = Index(frame.color(1)) ? 0xFF : 0x00;
    rows_.resize(rowBytes * frame.height());
    for (int y = 0; y < frame.height(); ++y) {
        const uchar* in = frame.constScanLine(y);
        auto* out = reinterpret_cast<uchar*>(rows_.data()) + (frame.height() - 1 - y) * rowBytes;
        for (qsizetype i = 0; i < used; ++i)
            out[i] = static_cast<uchar>((in[i] & oneBits) | (~in[i] & zeroBits));
        out[used - 1] &= last;
        std::memset(out + used, 0, rowBytes - used);
    }
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

// The common case of a recording: every pixel one of the two entries. Fills
// the whole row, padding included; gives false, leaving the row to the
// general path, when any pixel is not one of them.
bool FramePacker::PackTwoColourRow(const QRgb* in, uchar* out, int width) const
{
    const QList<QRgb>& colours = table_->Colours();
    const QRgb zero = colours[0] & ~kOpaque;
    const QRgb one = colours[1] & ~kOpaque;
    unsigned other = 0;
    int x = 0;
#ifdef __SSE2__
    // Sixteen pixels a step: compare four at a time, narrow the four masks
    // to bytes, take their sign bits; whether every pixel was one of the
    // two is looked at once for the row.
    const __m128i colour = _mm_set1_epi32(static_cast<int>(~kOpaque));
    const __m128i zeros = _mm_set1_epi32(static_cast<int>(zero));
    const __m128i ones = _mm_set1_epi32(static_cast<int>(one));
    __m128i known = _mm_set1_epi32(-1);
    for (; x + 16 <= width; x += 16) {
        const auto* p = reinterpret_cast<const __m128i*>(in + x);
        __m128i isOne[4];
        for (int q = 0; q < 4; ++q) {
            const __m128i c = _mm_and_si128(_mm_loadu_si128(p + q), colour);
            isOne[q] = _mm_cmpeq_epi32(c, ones);
            known = _mm_and_si128(known, _mm_or_si128(isOne[q], _mm_cmpeq_epi32(c, zeros)));
        }
        const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(isOne[0], isOne[1]), _mm_packs_epi32(isOne[2], isOne[3]));
        const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(bytes));
        out[x / kBitsPerByte] = kReversed[bits & 0xFF];
        out[x / kBitsPerByte + 1] = kReversed[bits >> kBitsPerByte];
    }
    other |= unsigned(_mm_movemask_epi8(known) != 0xFFFF);
#endif
    for (; x + kBitsPerByte <= width; x += kBitsPerByte)
        out[x / kBitsPerByte] = PackEight(in + x, zero, one, other);
    const std::int64_t rowBytes = RowBytes(width, 1);
    std::memset(out + x / kBitsPerByte, 0, rowBytes - x / kBitsPerByte);
    for (; x < width; ++x) {
        const QRgb c = in[x] & ~kOpaque;
        out[x / kBitsPerByte] = static_cast<uchar>(out[x / kBitsPerByte] | unsigned(c == one) << (7 - x % kBitsPerByte));
        other |= unsigned(c != zero) & unsigned(c != one);
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
