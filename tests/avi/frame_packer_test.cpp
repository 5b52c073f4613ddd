// Two-colour frames packed to one bit a pixel: every bit, every width, the
// padding, and the same bytes from a 32-bit picture as from its one-bit twin.
#include "output/avi/frame_format.h"
#include "output/avi/frame_packer.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

constexpr QRgb kGround = qRgb(255, 255, 255);
constexpr QRgb kCurve = qRgb(0, 0, 90);

// Pixels of the second colour where the random bits say so.
QImage Speckled(int width, int height, QRgb ground, QRgb curve, std::mt19937& random)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, random() % 3 == 0 ? curve : ground);
    return picture;
}

// The one-bit twin of a two-colour picture, with ground as colour 0; the
// bits past the width are left as they happen to be.
QImage MonoTwin(const QImage& picture, QRgb ground, QRgb curve)
{
    QImage mono(picture.size(), QImage::Format_Mono);
    mono.setColorTable({ground, curve});
    for (int y = 0; y < picture.height(); ++y) {
        std::memset(mono.scanLine(y), 0xA5, mono.bytesPerLine());
        for (int x = 0; x < picture.width(); ++x)
            mono.setPixel(x, y, picture.pixel(x, y) == curve ? 1 : 0);
    }
    return mono;
}

// Bottom row first; a pixel's bit is set where it shows the table's second
// colour; every bit past the width is zero.
void ExpectRows(const QByteArray& rows, const QImage& picture, QRgb second)
{
    const std::int64_t rowBytes = RowBytes(picture.width(), 1);
    ASSERT_EQ(rows.size(), rowBytes * picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const uchar*>(rows.constData()) + (picture.height() - 1 - y) * rowBytes;
        for (int x = 0; x < rowBytes * 8; ++x) {
            const bool bit = row[x / 8] & (0x80 >> (x % 8));
            const bool expected = x < picture.width() && picture.pixel(x, y) == second;
            ASSERT_EQ(bit, expected) << "width " << picture.width() << ", pixel " << x << "," << y;
        }
    }
}

TEST(FramePacker, PacksEveryBitOfEveryWidth)
{
    std::mt19937 random(5);
    for (int width : {1, 7, 8, 15, 16, 17, 33, 102, 1921}) {
        const QImage picture = Speckled(width, 5, kGround, kCurve, random);
        FramePacker packer(picture, 1);
        const QRgb second = packer.Colours()[1];
        ExpectRows(packer.Pack(picture), picture, second);
        ExpectRows(packer.Pack(MonoTwin(picture, kGround, kCurve)), picture, second);
    }
}

// The table follows the first frame's colours in the order they appear; a
// one-bit frame is packed by that table, whatever its own order.
TEST(FramePacker, OneBitFramesFollowTheStreamsTable)
{
    std::mt19937 random(9);
    QImage curveFirst = Speckled(40, 4, kGround, kCurve, random);
    curveFirst.setPixel(0, 0, kCurve);
    QImage plain(40, 4, QImage::Format_RGB32);
    plain.fill(kGround);
    const QImage later = Speckled(40, 4, kGround, kCurve, random);
    for (const QImage& first : {curveFirst, plain}) {
        FramePacker packer(first, 1);
        ASSERT_EQ(packer.Colours()[0], first.pixel(0, 0));
        const QByteArray fromColour = packer.Pack(later);
        EXPECT_EQ(packer.Pack(MonoTwin(later, kGround, kCurve)), fromColour);
        EXPECT_EQ(packer.Pack(MonoTwin(later, kCurve, kGround)), fromColour);
    }
    // Both bits of one colour: every pixel is that colour.
    FramePacker packer(plain, 1);
    const QByteArray allGround = packer.Pack(plain);
    EXPECT_EQ(packer.Pack(MonoTwin(later, kGround, kGround)), allGround);
}

} // namespace
