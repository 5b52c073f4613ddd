#include "output/avi/frame_packer.h"

#include "model/bits_per_byte.h"
#include "output/avi/frame_format.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Nearest-entry answers kept at most; a picture of many colours starts afresh.
constexpr qsizetype kKnownColourLimit = 1 << 16;
constexpr QRgb kOpaque = 0xFF000000;

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
        PackRgb(frame);
    else
        PackRgb(frame.convertToFormat(QImage::Format_RGB32));
    return rows_;
}

void FramePacker::PackRgb(const QImage& frame)
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

// The common case of a recording: every pixel one of the two entries. Gives
// false, leaving the row to the general path, when any pixel is not.
bool FramePacker::PackTwoColourRow(const QRgb* in, uchar* out, int width) const
{
    const QList<QRgb>& colours = table_->Colours();
    const QRgb zero = colours[0] & ~kOpaque;
    const QRgb one = colours[1] & ~kOpaque;
    unsigned other = 0;
    const int whole = width / kBitsPerByte;
#ifdef __SSE2__
    // Eight pixels at a time: compare four at once and take the sign bits.
    static constexpr uchar kReversed[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
    const __m128i mask = _mm_set1_epi32(static_cast<int>(~kOpaque));
    const __m128i zeros = _mm_set1_epi32(static_cast<int>(zero));
    const __m128i ones = _mm_set1_epi32(static_cast<int>(one));
    for (int b = 0; b < whole; ++b) {
        const auto* p = reinterpret_cast<const __m128i*>(in + b * kBitsPerByte);
        const __m128i left = _mm_and_si128(_mm_loadu_si128(p), mask);
        const __m128i right = _mm_and_si128(_mm_loadu_si128(p + 1), mask);
        const __m128i leftOne = _mm_cmpeq_epi32(left, ones);
        const __m128i rightOne = _mm_cmpeq_epi32(right, ones);
        const __m128i known = _mm_and_si128(_mm_or_si128(leftOne, _mm_cmpeq_epi32(left, zeros)),
                                            _mm_or_si128(rightOne, _mm_cmpeq_epi32(right, zeros)));
        other |= unsigned(_mm_movemask_epi8(known) != 0xFFFF);
        out[b] = static_cast<uchar>(kReversed[_mm_movemask_ps(_mm_castsi128_ps(leftOne))] << 4
                                    | kReversed[_mm_movemask_ps(_mm_castsi128_ps(rightOne))]);
    }
#else
    for (int b = 0; b < whole; ++b) {
        unsigned byte = 0;
        for (int j = 0; j < kBitsPerByte; ++j) {
            const QRgb c = in[b * kBitsPerByte + j] & ~kOpaque;
            byte = (byte << 1) | unsigned(c == one);
            other |= unsigned(c != zero) & unsigned(c != one);
        }
        out[b] = static_cast<uchar>(byte);
    }
#endif
    for (int x = whole * kBitsPerByte; x < width; ++x) {
        const QRgb c = in[x] & ~kOpaque;
        out[whole] = static_cast<uchar>(out[whole] | unsigned(c == one) << (kBitsPerByte - 1 - x % kBitsPerByte));
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
