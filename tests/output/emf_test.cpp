#include "metafile_device.h"
#include "metafile_reader.h"
#include "tool_runner.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 286.0)};
constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Background, a two-pixel curve, and a dot: the views' calls in small.
QByteArray CurveEmf(const std::vector<QPoint>& curve, int penWidth = 2)
{
    MetafileDevice device(kWidth, kHeight, kScreen);
    {
        QPainter painter(&device);
        painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(Qt::white));
        painter.setPen(QPen(QColor(0, 0, 255), penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(curve.data(), static_cast<int>(curve.size()));
    }
    return device.EmfBytes();
}

std::vector<QPoint> Diagonal()
{
    return {{100, 100}, {400, 300}, {700, 500}};
}

TEST(EmfHeader, FieldsDescribeTheFile)
{
    const QByteArray file = CurveEmf(Diagonal());
    const auto records = EmfRecords(file);
    ASSERT_FALSE(records.empty());
    const QByteArray& h = records.front().Bytes;
    EXPECT_EQ(records.front().Type, kEmrHeader);
    EXPECT_EQ(U32At(h, 4), 108u);
    EXPECT_EQ(U32At(h, 40), 0x464D4520u);
    EXPECT_EQ(U32At(h, 44), 0x10000u);
    EXPECT_EQ(U32At(h, 48), static_cast<std::uint32_t>(file.size()));
    EXPECT_EQ(U32At(h, 52), records.size());
    EXPECT_EQ(U16At(h, 58), 0u);  // reserved
    EXPECT_EQ(U32At(h, 60), 0u);  // nDescription
    EXPECT_EQ(U32At(h, 64), 0u);  // offDescription
    EXPECT_EQ(U32At(h, 68), 0u);  // nPalEntries
    EXPECT_EQ(I32At(h, 72), 1920);
    EXPECT_EQ(I32At(h, 76), 1080);
    EXPECT_EQ(I32At(h, 80), 508);
    EXPECT_EQ(I32At(h, 84), 286);
    EXPECT_EQ(U32At(h, 88), 0u);  // cbPixelFormat
    EXPECT_EQ(U32At(h, 92), 0u);  // offPixelFormat
    EXPECT_EQ(U32At(h, 96), 0u);  // bOpenGL
    EXPECT_EQ(I32At(h, 100), 508000);
    EXPECT_EQ(I32At(h, 104), 286000);
}

TEST(EmfHeader, FrameIsPictureSizeInHundredthsOfMillimetre)
{
    const QByteArray h = EmfRecords(CurveEmf(Diagonal())).front().Bytes;
    EXPECT_EQ(I32At(h, 24), 0);
    EXPECT_EQ(I32At(h, 28), 0);
    EXPECT_EQ(I32At(h, 32), 21167); // 800 * 50800 / 1920 = 21166.67
    EXPECT_EQ(I32At(h, 36), 15889); // 600 * 28600 / 1080 = 15888.89
}

TEST(EmfHeader, BoundsAreWhatShowsOfTheDrawing)
{
    const QByteArray h = EmfRecords(CurveEmf(Diagonal())).front().Bytes;
    // The background covers the whole picture.
    EXPECT_EQ(I32At(h, 8), 0);
    EXPECT_EQ(I32At(h, 12), 0);
    EXPECT_EQ(I32At(h, 16), kWidth - 1);
    EXPECT_EQ(I32At(h, 20), kHeight - 1);

    MetafileDevice device(kWidth, kHeight, kScreen);
    {
        QPainter painter(&device);
        painter.setPen(QPen(Qt::black, 4));
        painter.drawLine(50, 60, 70, 90);
    }
    const QByteArray lineOnly = EmfRecords(device.EmfBytes()).front().Bytes;
    EXPECT_EQ(I32At(lineOnly, 8), 48);
    EXPECT_EQ(I32At(lineOnly, 12), 58);
    EXPECT_EQ(I32At(lineOnly, 16), 72);
    EXPECT_EQ(I32At(lineOnly, 20), 92);
}

TEST(EmfHeader, EmptyPictureHasEmptyBounds)
{
    const MetafileDevice device(10, 10, kScreen);
    const QByteArray file = device.EmfBytes();
    EXPECT_EQ(file.size(), 108 + 20);
    EXPECT_EQ(I32At(file, 8), 0);
    EXPECT_EQ(I32At(file, 16), -1);
    EXPECT_EQ(U32At(file, 52), 2u);
    EXPECT_EQ(U16At(file, 56), 1u);
}

TEST(EmfHeader, HandleTableCountsTheReservedSlot)
{
    // Background pen and brush, then the curve pen is created before the
    // background pen goes: three objects at once.
    const QByteArray file = CurveEmf(Diagonal());
    EXPECT_EQ(U16At(file, 56), 4u);
    const auto records = EmfRecords(file);
    EXPECT_EQ(CountOf(records, kEmrCreatePen), 2);
    EXPECT_EQ(CountOf(records, kEmrCreateBrushIndirect), 1);
    EXPECT_EQ(CountOf(records, kEmrDeleteObject), 1);
    for (const EmfRecord& r : records) {
        if (r.Type == kEmrCreatePen || r.Type == kEmrSelectObject || r.Type == kEmrDeleteObject) {
            EXPECT_GE(U32At(r.Bytes, 8), 1u);
            EXPECT_LT(U32At(r.Bytes, 8), 4u);
        }
    }
}

TEST(EmfStructure, RecordsAreAlignedAndEndWithEof)
{
    const QByteArray file = CurveEmf(Diagonal());
    const auto records = EmfRecords(file);
    const qsizetype total = std::accumulate(records.begin(), records.end(), qsizetype{0},
                                            [](qsizetype sum, const EmfRecord& r) { return sum + r.Bytes.size(); });
    EXPECT_EQ(total, file.size());
    for (const EmfRecord& r : records)
        EXPECT_EQ(r.Bytes.size() % 4, 0);
    const EmfRecord& eof = records.back();
    EXPECT_EQ(eof.Type, kEmrEof);
    ASSERT_EQ(eof.Bytes.size(), 20);
    EXPECT_EQ(U32At(eof.Bytes, 8), 0u);
    EXPECT_EQ(U32At(eof.Bytes, 12), 16u);
    EXPECT_EQ(U32At(eof.Bytes, 16), 20u);
}

TEST(EmfStructure, BackgroundIsNullPenRectangleWithSolidBrush)
{
    const auto records = EmfRecords(CurveEmf(Diagonal()));
    const auto pen = std::find_if(records.begin(), records.end(), [](const EmfRecord& r) { return r.Type == kEmrCreatePen; });
    ASSERT_NE(pen, records.end());
    EXPECT_EQ(U32At(pen->Bytes, 12), 5u); // PS_NULL
    const auto brush = std::find_if(records.begin(), records.end(),
                                    [](const EmfRecord& r) { return r.Type == kEmrCreateBrushIndirect; });
    ASSERT_NE(brush, records.end());
    EXPECT_EQ(U32At(brush->Bytes, 12), 0u); // BS_SOLID
    EXPECT_EQ(U32At(brush->Bytes, 16), 0x00FFFFFFu);
    const auto rect = std::find_if(records.begin(), records.end(), [](const EmfRecord& r) { return r.Type == kEmrRectangle; });
    ASSERT_NE(rect, records.end());
    EXPECT_EQ(I32At(rect->Bytes, 16), kWidth + 1);
    EXPECT_EQ(I32At(rect->Bytes, 20), kHeight + 1);
}

TEST(EmfPolyline, SixteenBitPointsWhenTheyFit)
{
    const auto records = EmfRecords(CurveEmf(Diagonal(), 3));
    ASSERT_EQ(CountOf(records, kEmrPolyline16), 1);
    EXPECT_EQ(CountOf(records, kEmrPolyline), 0);
    const auto line = std::find_if(records.begin(), records.end(), [](const EmfRecord& r) { return r.Type == kEmrPolyline16; });
    const QByteArray& r = line->Bytes;
    EXPECT_EQ(r.size(), 28 + 3 * 4);
    EXPECT_EQ(U32At(r, 24), 3u);
    EXPECT_EQ(I16At(r, 28), 100);
    EXPECT_EQ(I16At(r, 30), 100);
    EXPECT_EQ(I16At(r, 36), 700);
    EXPECT_EQ(I16At(r, 38), 500);
    EXPECT_EQ(I32At(r, 8), 99); // bounds widened by the pen
    EXPECT_EQ(I32At(r, 20), 501);

    const auto pen = std::find_if(records.rbegin(), records.rend(), [](const EmfRecord& e) { return e.Type == kEmrCreatePen; });
    EXPECT_EQ(U32At(pen->Bytes, 12), 0u); // PS_SOLID
    EXPECT_EQ(I32At(pen->Bytes, 16), 3);
    EXPECT_EQ(U32At(pen->Bytes, 24), 0x00FF0000u);
}

TEST(EmfPolyline, ThirtyTwoBitPointsBeyondSixteenBits)
{
    const auto records = EmfRecords(CurveEmf({{10, 10}, {40000, -40000}}));
    ASSERT_EQ(CountOf(records, kEmrPolyline), 1);
    EXPECT_EQ(CountOf(records, kEmrPolyline16), 0);
    const auto line = std::find_if(records.begin(), records.end(), [](const EmfRecord& r) { return r.Type == kEmrPolyline; });
    const QByteArray& r = line->Bytes;
    EXPECT_EQ(r.size(), 28 + 2 * 8);
    EXPECT_EQ(I32At(r, 36), 40000);
    EXPECT_EQ(I32At(r, 40), -40000);
}

TEST(EmfPixels, OneSetPixelPerPoint)
{
    std::vector<QPoint> points;
    for (int i = 0; i < 1000; ++i)
        points.emplace_back(i % kWidth, (i * 7) % kHeight);
    MetafileDevice device(kWidth, kHeight, kScreen);
    {
        QPainter painter(&device);
        painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(Qt::black));
        painter.setPen(QPen(QColor(255, 128, 0), 1));
        painter.drawPoints(points.data(), static_cast<int>(points.size()));
    }
    const auto records = EmfRecords(device.EmfBytes());
    ASSERT_EQ(CountOf(records, kEmrSetPixelV), 1000);
    std::size_t i = 0;
    for (const EmfRecord& r : records) {
        if (r.Type != kEmrSetPixelV)
            continue;
        ASSERT_EQ(r.Bytes.size(), 20);
        EXPECT_EQ(I32At(r.Bytes, 8), points[i].x());
        EXPECT_EQ(I32At(r.Bytes, 12), points[i].y());
        EXPECT_EQ(U32At(r.Bytes, 16), 0x000080FFu);
        ++i;
    }
}

TEST(EmfEllipse, BoxIsDotCentreAndRadius)
{
    MetafileDevice device(kWidth, kHeight, kScreen);
    {
        QPainter painter(&device);
        painter.setBrush(QColor(0, 255, 0));
        painter.drawEllipse(QRect(200 - 6, 150 - 6, 11, 11));
    }
    const auto records = EmfRecords(device.EmfBytes());
    const auto ellipse = std::find_if(records.begin(), records.end(), [](const EmfRecord& r) { return r.Type == kEmrEllipse; });
    ASSERT_NE(ellipse, records.end());
    ASSERT_EQ(ellipse->Bytes.size(), 24);
    EXPECT_EQ(I32At(ellipse->Bytes, 8), 194);
    EXPECT_EQ(I32At(ellipse->Bytes, 12), 144);
    EXPECT_EQ(I32At(ellipse->Bytes, 16), 206);
    EXPECT_EQ(I32At(ellipse->Bytes, 20), 156);
}

TEST(EmfReadBack, ConverterDrawsTheCurve)
{
    if (!ToolAvailable(QStringLiteral("emf2svg-conv")))
        GTEST_SKIP() << "emf2svg-conv is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString emf = dir.filePath(QStringLiteral("curve.emf"));
    const QString svg = dir.filePath(QStringLiteral("curve.svg"));
    QFile file(emf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(CurveEmf(Diagonal()));
    file.close();
    const ToolResult result = RunTool(QStringLiteral("emf2svg-conv"), {QStringLiteral("-i"), emf, QStringLiteral("-o"), svg});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    QFile out(svg);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray text = out.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("fill=\"#FFFFFF\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("stroke=\"#0000FF\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("M 100.0000,100.0000 L 400.0000,300.0000 L 700.0000,500.0000")) << text.toStdString();
}

} // namespace
