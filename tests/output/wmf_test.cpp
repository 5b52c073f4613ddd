#include "metafile_device.h"
#include "metafile_reader.h"
#include "tool_runner.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 286.0)};
constexpr int kWidth = 400;
constexpr int kHeight = 300;

QPen CurvePen(const QColor& color, int width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QByteArray Picture(const std::vector<QPoint>& curve, int width = kWidth, int height = kHeight)
{
    MetafileDevice device(width, height, kScreen);
    {
        QPainter painter(&device);
        painter.fillRect(QRect(0, 0, width, height), QColor(Qt::white));
        painter.setPen(CurvePen(QColor(0, 0, 0), 5));
        painter.drawPolyline(curve.data(), static_cast<int>(curve.size()));
    }
    return device.PlaceableWmfBytes();
}

// A horizontal line across the middle, then down the right-hand third.
std::vector<QPoint> Hook()
{
    return {{40, 150}, {300, 150}, {300, 280}};
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(WmfPlaceableHeader, KeyBoxInchAndChecksum)
{
    const QByteArray file = Picture(Hook());
    EXPECT_EQ(U32At(file, 0), 0x9AC6CDD7u);
    EXPECT_EQ(U16At(file, 4), 0u);
    EXPECT_EQ(I16At(file, 6), 0);
    EXPECT_EQ(I16At(file, 8), 0);
    // Frame 10583 x 7944 hundredths of a millimetre at 96 per inch.
    EXPECT_EQ(I16At(file, 10), 400);
    EXPECT_EQ(I16At(file, 12), 300);
    EXPECT_EQ(U16At(file, 14), 96u);
    EXPECT_EQ(U32At(file, 16), 0u);
    std::uint16_t sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= U16At(file, i);
    EXPECT_EQ(U16At(file, 20), sum);
}

TEST(WmfPlaceableHeader, BoxFollowsTheScreenResolution)
{
    MetafileDevice device(1000, 500, ReferenceScreen{QSize(1000, 1000), QSizeF(100.0, 200.0)});
    const QByteArray file = device.PlaceableWmfBytes();
    EXPECT_EQ(I16At(file, 10), 378); // 10000 * 96 / 2540 = 377.95
    EXPECT_EQ(I16At(file, 12), 378); // 10000 likewise
}

TEST(WmfMetaHeader, SizesMatchTheRecords)
{
    const QByteArray file = Picture(Hook());
    const qsizetype h = kPlaceableBytes;
    EXPECT_EQ(U16At(file, h), 1u);
    EXPECT_EQ(U16At(file, h + 2), 9u);
    EXPECT_EQ(U16At(file, h + 4), 0x0300u);
    EXPECT_EQ(qsizetype{U32At(file, h + 6)} * 2, file.size() - kPlaceableBytes);
    EXPECT_EQ(U16At(file, h + 16), 0u);
    const auto records = WmfRecords(file);
    qsizetype words = 9;
    std::uint32_t largest = 0;
    for (const WmfRecord& r : records) {
        words += r.Words;
        largest = std::max(largest, r.Words);
    }
    EXPECT_EQ(words, qsizetype{U32At(file, h + 6)});
    EXPECT_EQ(U32At(file, h + 12), largest);
    // Null pen and brush for the background, then the curve's pen.
    EXPECT_EQ(U16At(file, h + 10), 3u);
}

TEST(WmfRecords, WindowIsThePicturePixels)
{
    const auto records = WmfRecords(Picture(Hook()));
    ASSERT_GE(records.size(), 4u);
    EXPECT_EQ(records[0].Function, kMetaSetMapMode);
    EXPECT_EQ(records[0].Param(0), 8);
    EXPECT_EQ(records[1].Function, kMetaSetWindowOrg);
    EXPECT_EQ(records[1].Param(0), 0);
    EXPECT_EQ(records[1].Param(1), 0);
    EXPECT_EQ(records[2].Function, kMetaSetWindowExt);
    EXPECT_EQ(records[2].Param(0), kHeight);
    EXPECT_EQ(records[2].Param(1), kWidth);
    EXPECT_EQ(records.back().Function, kMetaEof);
    EXPECT_EQ(records.back().Words, 3u);
}

TEST(WmfRecords, ShapesTakeParametersBottomFirst)
{
    MetafileDevice device(kWidth, kHeight, kScreen);
    {
        QPainter painter(&device);
        painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(Qt::white));
        painter.setBrush(QColor(255, 0, 0));
        painter.drawEllipse(QRect(100 - 4, 50 - 4, 7, 7));
    }
    const auto records = WmfRecords(device.PlaceableWmfBytes());
    const auto rect = std::find_if(records.begin(), records.end(), [](const WmfRecord& r) { return r.Function == kMetaRectangle; });
    ASSERT_NE(rect, records.end());
    EXPECT_EQ(rect->Param(0), kHeight + 1);
    EXPECT_EQ(rect->Param(1), kWidth + 1);
    EXPECT_EQ(rect->Param(2), 0);
    EXPECT_EQ(rect->Param(3), 0);
    const auto ellipse = std::find_if(records.begin(), records.end(), [](const WmfRecord& r) { return r.Function == kMetaEllipse; });
    ASSERT_NE(ellipse, records.end());
    EXPECT_EQ(ellipse->Words, 7u);
    EXPECT_EQ(ellipse->Param(0), 54);
    EXPECT_EQ(ellipse->Param(1), 104);
    EXPECT_EQ(ellipse->Param(2), 46);
    EXPECT_EQ(ellipse->Param(3), 96);
    const auto brush = std::find_if(records.rbegin(), records.rend(),
                                    [](const WmfRecord& r) { return r.Function == kMetaCreateBrushIndirect; });
    ASSERT_NE(brush, records.rend());
    EXPECT_EQ(U32At(brush->Bytes, 8), 0x000000FFu);
}

TEST(WmfRecords, PenAndPolylinePoints)
{
    const auto records = WmfRecords(Picture(Hook()));
    const auto pen = std::find_if(records.rbegin(), records.rend(),
                                  [](const WmfRecord& r) { return r.Function == kMetaCreatePenIndirect; });
    ASSERT_NE(pen, records.rend());
    EXPECT_EQ(pen->Words, 8u);
    EXPECT_EQ(pen->Param(0), 0); // PS_SOLID
    EXPECT_EQ(pen->Param(1), 5);
    ASSERT_EQ(CountOf(records, kMetaPolyline), 1);
    const auto line = std::find_if(records.begin(), records.end(), [](const WmfRecord& r) { return r.Function == kMetaPolyline; });
    EXPECT_EQ(line->Words, 3u + 1 + 2 * 3);
    EXPECT_EQ(line->Param(0), 3);
    EXPECT_EQ(line->Param(1), 40);
    EXPECT_EQ(line->Param(2), 150);
    EXPECT_EQ(line->Param(5), 300);
    EXPECT_EQ(line->Param(6), 280);
}

TEST(WmfRecords, LongPolylineIsSplitWhereItGoesOn)
{
    std::vector<QPoint> curve;
    for (int i = 0; i < 40000; ++i)
        curve.emplace_back(i % kWidth, i % 250);
    const auto records = WmfRecords(Picture(curve));
    std::vector<const WmfRecord*> lines;
    for (const WmfRecord& r : records)
        if (r.Function == kMetaPolyline)
            lines.push_back(&r);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->Param(0), 32767);
    EXPECT_EQ(lines[1]->Param(0), 40000 - 32767 + 1);
    const int last = 1 + 2 * (32767 - 1);
    EXPECT_EQ(lines[1]->Param(1), lines[0]->Param(last));
    EXPECT_EQ(lines[1]->Param(2), lines[0]->Param(last + 1));
}

TEST(WmfRecords, PixelsAreOnePerPointInPenColour)
{
    std::vector<QPoint> points;
    for (int i = 0; i < 500; ++i)
        points.emplace_back((i * 3) % kWidth, (i * 11) % kHeight);
    MetafileDevice device(kWidth, kHeight, kScreen);
    {
        QPainter painter(&device);
        painter.setPen(QPen(QColor(1, 2, 3), 1));
        painter.drawPoints(points.data(), static_cast<int>(points.size()));
    }
    const auto records = WmfRecords(device.PlaceableWmfBytes());
    ASSERT_EQ(CountOf(records, kMetaSetPixel), 500);
    std::size_t i = 0;
    for (const WmfRecord& r : records) {
        if (r.Function != kMetaSetPixel)
            continue;
        EXPECT_EQ(r.Words, 7u);
        EXPECT_EQ(U32At(r.Bytes, 6), 0x00030201u);
        EXPECT_EQ(r.Param(2), points[i].y());
        EXPECT_EQ(r.Param(3), points[i].x());
        ++i;
    }
}

TEST(WmfRecords, HugePictureFitsSixteenBits)
{
    const QByteArray file = Picture({{0, 0}, {79999, 39999}}, 80000, 40000);
    const auto records = WmfRecords(file);
    EXPECT_EQ(records[2].Param(0), 13334); // 40000 / 3 rounded up
    EXPECT_EQ(records[2].Param(1), 26667);
    const auto line = std::find_if(records.begin(), records.end(), [](const WmfRecord& r) { return r.Function == kMetaPolyline; });
    ASSERT_NE(line, records.end());
    EXPECT_EQ(line->Param(3), 26666);
    EXPECT_EQ(line->Param(4), 13333);
    EXPECT_GT(I16At(file, 10), 0);
    EXPECT_LT(U16At(file, 14), 96u);
}

class WmfReadBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        wmf_ = dir_.filePath(QStringLiteral("hook.wmf"));
        ASSERT_TRUE(WriteFile(wmf_, Picture(Hook())));
    }

    QTemporaryDir dir_;
    QString wmf_;
};

TEST_F(WmfReadBack, Wmf2svgFindsThePolyline)
{
    if (!ToolAvailable(QStringLiteral("wmf2svg")))
        GTEST_SKIP() << "wmf2svg is not installed";
    const QString svg = dir_.filePath(QStringLiteral("hook.svg"));
    const ToolResult result = RunTool(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svg, wmf_});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    QFile out(svg);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray text = out.readAll();
    EXPECT_TRUE(text.contains("<polyline")) << text.toStdString();
}

TEST_F(WmfReadBack, ImageMagickDrawsTheCurveWhereItBelongs)
{
    if (!ToolAvailable(QStringLiteral("convert")))
        GTEST_SKIP() << "ImageMagick is not installed";
    const QString png = dir_.filePath(QStringLiteral("hook.png"));
    const ToolResult result = RunTool(QStringLiteral("convert"), {QStringLiteral("-density"), QStringLiteral("96"), wmf_, png});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.width(), kWidth, 2);
    EXPECT_NEAR(image.height(), kHeight, 2);
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 96; };
    EXPECT_TRUE(dark(60, 150));
    EXPECT_TRUE(dark(200, 150));
    EXPECT_TRUE(dark(300, 250));
    EXPECT_FALSE(dark(60, 60));
    EXPECT_FALSE(dark(200, 250));
    EXPECT_FALSE(dark(350, 100));
}

} // namespace
