#include "jpeg_writer.h"
#include "tool_runner.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    return image;
}

// The start-of-frame segment: marker FFC0 for baseline, FFC2 for progressive.
qsizetype FrameMarker(const QByteArray& jpeg, unsigned char kind)
{
    return jpeg.indexOf(QByteArray("\xFF") + static_cast<char>(kind));
}

int FrameComponents(const QByteArray& jpeg)
{
    const qsizetype sof = FrameMarker(jpeg, 0xC0);
    return sof < 0 ? -1 : static_cast<unsigned char>(jpeg.at(sof + 9));
}

TEST(JpegWriter, BaselineColourFile)
{
    const QByteArray jpeg = JpegFileBytes(Gradient(64, 48), 90);
    ASSERT_GT(jpeg.size(), 4);
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8"));
    EXPECT_TRUE(jpeg.endsWith("\xFF\xD9"));
    EXPECT_GE(FrameMarker(jpeg, 0xC0), 0);
    EXPECT_LT(FrameMarker(jpeg, 0xC2), 0);
    EXPECT_EQ(FrameComponents(jpeg), 3);
}

TEST(JpegWriter, BlackAndWhitePictureStaysColour)
{
    QImage mono(32, 32, QImage::Format_Mono);
    mono.fill(1);
    for (int i = 0; i < 32; ++i)
        mono.setPixel(i, i, 0);
    EXPECT_EQ(FrameComponents(JpegFileBytes(mono, 90)), 3);
}

TEST(JpegWriter, QtReadsBackCloseToTheSource)
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
}

TEST(JpegWriter, LowerQualityMakesSmallerFiles)
{
    const QImage source = Gradient(128, 128);
    EXPECT_LT(JpegFileBytes(source, 20).size(), JpegFileBytes(source, 95).size());
}

TEST(JpegWriter, LibraryErrorsBecomeExceptionsWithItsMessage)
{
    try {
        JpegFileBytes(QImage(), 90);
        FAIL() << "an empty image was compressed";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()), "");
    }
    QImage wide(70000, 1, QImage::Format_RGB32);
    wide.fill(Qt::white);
    try {
        JpegFileBytes(wide, 90);
        FAIL() << "an image wider than JPEG allows was compressed";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("65500"), std::string::npos) << e.what();
    }
}

TEST(JpegWriter, IdentifySeesQualityAndColourSpace)
{
    if (!ToolAvailable(QStringLiteral("identify")))
        GTEST_SKIP() << "ImageMagick is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("picture.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(JpegFileBytes(Gradient(100, 50), 90));
    file.close();
    const ToolResult result =
        RunTool(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%Q %[interlace] %[colorspace]"), path});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_EQ(result.Output.trimmed(), QByteArray("90 None sRGB"));
}

} // namespace
