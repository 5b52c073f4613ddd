#include "output/metafile/metafile_device.h"
#include "tests/support/metafile_reader.h"
#include "tests/support/tool_runner.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 286.0)};
constexpr int kWidth = 400;
constexpr int kHeight = 300;

template <typename Paint>
QByteArray Wmf(Paint paint, int width = kWidth, int height = kHeight)
{
    return RecordedBytes(width, height, kScreen, paint, &MetafileDevice::PlaceableWmfBytes);
}

// White, and a five-pixel black curve; by default a hook: across the
// middle, then down the right-hand third.
QByteArray Picture(std::vector<QPoint> curve = {{40, 150}, {300, 150}, {300, 280}}, int width = kWidth,
                   int height = kHeight)
{
    return Wmf(
        [&](QPainter& painter) {
            painter.fillRect(QRect(0, 0, width, height), QColor(Qt::white));
            painter.setPen(QPen(QColor(0, 0, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(curve.data(), static_cast<int>(curve.size()));
        },
        width, height);
}

TEST(WmfHeaders, PlaceableKeyBoxInchChecksumAndMetaHeaderSizes)
{
    const QByteArray file = Picture();
    EXPECT_EQ(U32At(file, 0), 0x9AC6CDD7u);
    EXPECT_EQ(U16At(file, 4), 0u);
    // Frame 10583 x 7944 hundredths of a millimetre at 96 per inch.
    EXPECT_EQ(I16s(file, 6, 4), (std::vector<int>{0, 0, 400, 300}));
    EXPECT_EQ(U16At(file, 14), 96u);
    EXPECT_EQ(U32At(file, 16), 0u);
    std::uint16_t sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= U16At(file, i);
    EXPECT_EQ(U16At(file, 20), sum);

    const qsizetype h = kPlaceableBytes;
    EXPECT_EQ(U16At(file, h), 1u);
    EXPECT_EQ(U16At(file, h + 2), 9u);
    EXPECT_EQ(U16At(file, h + 4), 0x0300u);
    EXPECT_EQ(qsizetype{U32At(file, h + 6)} * 2, file.size() - kPlaceableBytes);
    EXPECT_EQ(U16At(file, h + 16), 0u);
    qsizetype words = 9;
    std::uint32_t largest = 0;
    for (const WmfRecord& r : WmfRecords(file)) {
        words += r.Words;
        largest = std::max(largest, r.Words);
    }
    EXPECT_EQ(words, qsizetype{U32At(file, h + 6)});
    EXPECT_EQ(U32At(file, h + 12), largest);
    // Null pen and brush for the background, then the curve's pen.
    EXPECT_EQ(U16At(file, h + 10), 3u);

    // The box follows the screen's resolution: 10000 * 96 / 2540 = 377.95.
    const QByteArray other = MetafileDevice(1000, 500, ReferenceScreen{QSize(1000, 1000), QSizeF(100.0, 200.0)})
                                 .PlaceableWmfBytes();
    EXPECT_EQ(I16s(other, 10, 2), (std::vector<int>{378, 378}));
}

TEST(WmfRecords, WindowIsThePicturePixelsAndTheLastIsEof)
{
    const auto records = WmfRecords(Picture());
    ASSERT_GE(records.size(), 4u);
    EXPECT_EQ(records[0].Function, kMetaSetMapMode);
    EXPECT_EQ(records[0].Param(0), 8);
    EXPECT_EQ(records[1].Function, kMetaSetWindowOrg);
    EXPECT_EQ(records[1].Params(0, 2), (std::vector<int>{0, 0}));
    EXPECT_EQ(records[2].Function, kMetaSetWindowExt);
    EXPECT_EQ(records[2].Params(0, 2), (std::vector<int>{kHeight, kWidth}));
    EXPECT_EQ(records.back().Function, kMetaEof);
    EXPECT_EQ(records.back().Words, 3u);
}

TEST(WmfRecords, ShapesTakeParametersBottomFirst)
{
    const auto records = WmfRecords(Wmf([](QPainter& painter) {
        painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(Qt::white));
        painter.setBrush(QColor(255, 0, 0));
        painter.drawEllipse(QRect(100 - 4, 50 - 4, 7, 7));
    }));
    const auto rects = AllOf(records, kMetaRectangle);
    const auto ellipses = AllOf(records, kMetaEllipse);
    const auto brushes = AllOf(records, kMetaCreateBrushIndirect);
    ASSERT_FALSE(rects.empty() || ellipses.empty() || brushes.empty());
    EXPECT_EQ(rects.front()->Params(0, 4), (std::vector<int>{kHeight + 1, kWidth + 1, 0, 0}));
    EXPECT_EQ(ellipses.front()->Params(0, 4), (std::vector<int>{54, 104, 46, 96}));
    EXPECT_EQ(ellipses.front()->Words, 7u);
    EXPECT_EQ(U32At(brushes.back()->Bytes, 8), 0x000000FFu);
}

TEST(WmfRecords, PenAndPolylinePoints)
{
    const auto records = WmfRecords(Picture());
    const auto pens = AllOf(records, kMetaCreatePenIndirect);
    ASSERT_FALSE(pens.empty());
    EXPECT_EQ(pens.back()->Words, 8u);
    EXPECT_EQ(pens.back()->Params(0, 2), (std::vector<int>{0 /* PS_SOLID */, 5}));
    const auto lines = AllOf(records, kMetaPolyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->Words, 3u + 1 + 2 * 3);
    EXPECT_EQ(lines[0]->Params(0, 7), (std::vector<int>{3, 40, 150, 300, 150, 300, 280}));
}

TEST(WmfRecords, LongPolylineIsSplitWhereItGoesOn)
{
    std::vector<QPoint> curve;
    for (int i = 0; i < 40000; ++i)
        curve.emplace_back(i % kWidth, i % 250);
    const auto records = WmfRecords(Picture(curve));
    const auto lines = AllOf(records, kMetaPolyline);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->Param(0), 32767);
    EXPECT_EQ(lines[1]->Param(0), 40000 - 32767 + 1);
    const int last = 1 + 2 * (32767 - 1);
    EXPECT_EQ(lines[1]->Params(1, 2), lines[0]->Params(last, 2));
}

TEST(WmfRecords, PixelsAreOnePerPointInPenColour)
{
    std::vector<QPoint> points;
    for (int i = 0; i < 500; ++i)
        points.emplace_back((i * 3) % kWidth, (i * 11) % kHeight);
    const auto records = WmfRecords(Wmf([&](QPainter& painter) {
        painter.setPen(QPen(QColor(1, 2, 3), 1));
        painter.drawPoints(points.data(), static_cast<int>(points.size()));
    }));
    const auto pixels = AllOf(records, kMetaSetPixel);
    ASSERT_EQ(pixels.size(), 500u);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        EXPECT_EQ(pixels[i]->Words, 7u);
        EXPECT_EQ(U32At(pixels[i]->Bytes, 6), 0x00030201u);
        EXPECT_EQ(pixels[i]->Params(2, 2), (std::vector<int>{points[i].y(), points[i].x()}));
    }
}

TEST(WmfRecords, HugePictureFitsSixteenBits)
{
    const QByteArray file = Picture({{0, 0}, {79999, 39999}}, 80000, 40000);
    const auto records = WmfRecords(file);
    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records[2].Params(0, 2), (std::vector<int>{13334, 26667})) << "a third, rounded up";
    const auto lines = AllOf(records, kMetaPolyline);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0]->Params(3, 2), (std::vector<int>{26666, 13333}));
    EXPECT_GT(I16At(file, 10), 0);
    EXPECT_LT(U16At(file, 14), 96u);
}

TEST(WmfReadBack, Wmf2svgAndImageMagickDrawTheHook)
{
    QTemporaryDir dir;
    const QString wmf = dir.filePath(QStringLiteral("hook.wmf"));
    ASSERT_TRUE(WriteBytes(wmf, Picture()));
    if (ToolAvailable(QStringLiteral("wmf2svg"))) {
        const QString svg = dir.filePath(QStringLiteral("hook.svg"));
        const ToolResult result = RunTool(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svg, wmf});
        ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
        EXPECT_TRUE(ReadBytes(svg).contains("<polyline")) << ReadBytes(svg).toStdString();
    }
    if (!ToolAvailable(QStringLiteral("convert")))
        GTEST_SKIP() << "ImageMagick is not installed";
    const QString png = dir.filePath(QStringLiteral("hook.png"));
    const ToolResult result = RunTool(QStringLiteral("convert"), {QStringLiteral("-density"), QStringLiteral("96"), wmf, png});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.width(), kWidth, 2);
    EXPECT_NEAR(image.height(), kHeight, 2);
    const std::pair<QPoint, bool> spots[] = {{{60, 150}, true},  {{200, 150}, true}, {{300, 250}, true},
                                             {{60, 60}, false},  {{200, 250}, false}, {{350, 100}, false}};
    for (const auto& [spot, dark] : spots)
        EXPECT_EQ(qGray(image.pixel(spot)) < 96, dark) << spot.x() << "," << spot.y();
}

} // namespace
