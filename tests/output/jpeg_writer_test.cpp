#include "output/raster/jpeg_writer.h"

#include <QImage>

#include <gtest/gtest.h>

#include <stdexcept>

// Quality 90 and the colour space as identify reads them are checked on the
// exported file, in the window's export tests.

namespace {

QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    return image;
}

TEST(JpegWriter, BaselineThreeComponentFileEvenInBlackAndWhite)
{
    QImage mono(32, 32, QImage::Format_Mono);
    mono.fill(1);
    for (int i = 0; i < 32; ++i)
        mono.setPixel(i, i, 0);
    for (const QImage& image : {Gradient(64, 48), mono}) {
        const QByteArray jpeg = JpegFileBytes(image, 90);
        EXPECT_TRUE(jpeg.startsWith("\xFF\xD8"));
        EXPECT_TRUE(jpeg.endsWith("\xFF\xD9"));
        // Start of frame: FFC0 baseline, FFC2 progressive.
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        ASSERT_GE(sof, 0);
        EXPECT_EQ(jpeg.indexOf(QByteArray("\xFF\xC2", 2)), -1);
        EXPECT_EQ(static_cast<unsigned char>(jpeg.at(sof + 4)), 8) << "bits per sample";
        EXPECT_EQ(static_cast<unsigned char>(jpeg.at(sof + 9)), 3) << "components";
    }
}

TEST(JpegWriter, QtReadsBackCloseToTheSourceAndLowerQualityIsSmaller)
{
    const QImage source = Gradient(80, 60);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(JpegFileBytes(source, 90), "JPEG"));
    ASSERT_EQ(decoded.size(), source.size());
    int worst = 0;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb a = source.pixel(x, y), b = decoded.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LE(worst, 12);
    const QImage large = Gradient(128, 128);
    EXPECT_LT(JpegFileBytes(large, 20).size(), JpegFileBytes(large, 95).size());
}

TEST(JpegWriter, LibraryErrorsBecomeExceptionsWithItsMessage)
{
    EXPECT_THROW(JpegFileBytes(QImage(), 90), std::runtime_error);
    QImage wide(70000, 1, QImage::Format_RGB32);
    wide.fill(Qt::white);
    try {
        JpegFileBytes(wide, 90);
        FAIL() << "an image wider than JPEG allows was compressed";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("65500"), std::string::npos) << e.what();
    }
}

} // namespace
