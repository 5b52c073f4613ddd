#include "output/metafile/metafile_device.h"
#include "tests/support/metafile_reader.h"
#include "tests/support/tool_runner.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 286.0)};
constexpr int kWidth = 800;
constexpr int kHeight = 600;

template <typename Paint>
QByteArray Emf(Paint paint, int width = kWidth, int height = kHeight)
{
    return RecordedBytes(width, height, kScreen, paint, &MetafileDevice::EmfBytes);
}

// Background and a curve along the diagonal: the views' calls in small.
QByteArray CurveEmf(std::vector<QPoint> curve = {{100, 100}, {400, 300}, {700, 500}}, int penWidth = 2)
{
    return Emf([&](QPainter& painter) {
        painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(Qt::white));
        painter.setPen(QPen(QColor(0, 0, 255), penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(curve.data(), static_cast<int>(curve.size()));
    });
}

TEST(EmfHeader, FieldsDescribeTheFile)
{
    const QByteArray file = CurveEmf();
    const auto records = EmfRecords(file);
    ASSERT_FALSE(records.empty());
    const QByteArray& h = records.front().Bytes;
    EXPECT_EQ(records.front().Type, kEmrHeader);
    const std::pair<int, std::int64_t> fields[] = {
        {4, 108},        {40, 0x464D4520}, {44, 0x10000}, {48, file.size()}, {52, std::int64_t(records.size())},
        {60, 0},         {64, 0},          {68, 0},       {72, 1920},        {76, 1080},
        {80, 508},       {84, 286},        {88, 0},       {92, 0},           {96, 0},
        {100, 508000},   {104, 286000},
        // Bounds: the background covers the whole picture.
        {8, 0},          {12, 0},          {16, kWidth - 1}, {20, kHeight - 1},
        // Frame: the picture's size in hundredths of a millimetre.
        {24, 0},         {28, 0},          {32, 21167 /* 800 * 50800 / 1920 */}, {36, 15889 /* 600 * 28600 / 1080 */}};
    for (const auto& [offset, value] : fields)
        EXPECT_EQ(U32At(h, offset), static_cast<std::uint32_t>(value)) << "offset " << offset;
    EXPECT_EQ(U16At(h, 58), 0u); // reserved
}

TEST(EmfHeader, BoundsAreWhatShowsOfTheDrawing)
{
    const QByteArray lineOnly = Emf([](QPainter& painter) {
        painter.setPen(QPen(Qt::black, 4));
        painter.drawLine(50, 60, 70, 90);
    });
    EXPECT_EQ(I32s(lineOnly, 8, 4), (std::vector<int>{48, 58, 72, 92}));

    const QByteArray empty = MetafileDevice(10, 10, kScreen).EmfBytes();
    EXPECT_EQ(empty.size(), 108 + 20);
    EXPECT_EQ(I32s(empty, 8, 4), (std::vector<int>{0, 0, -1, -1}));
    EXPECT_EQ(U32At(empty, 52), 2u);
    EXPECT_EQ(U16At(empty, 56), 1u);
}

TEST(EmfStructure, RecordsAreAlignedObjectsCountedAndTheLastIsEof)
{
    const QByteArray file = CurveEmf();
    const auto records = EmfRecords(file);
    qsizetype total = 0;
    for (const EmfRecord& r : records) {
        total += r.Bytes.size();
        EXPECT_EQ(r.Bytes.size() % 4, 0);
        // Handle slots run from 1: slot 0 is reserved.
        if (r.Type == kEmrCreatePen || r.Type == kEmrSelectObject || r.Type == kEmrDeleteObject) {
            EXPECT_GE(U32At(r.Bytes, 8), 1u);
            EXPECT_LT(U32At(r.Bytes, 8), 4u);
        }
    }
    EXPECT_EQ(total, file.size());
    const EmfRecord& eof = records.back();
    EXPECT_EQ(eof.Type, kEmrEof);
    ASSERT_EQ(eof.Bytes.size(), 20);
    EXPECT_EQ(I32s(eof.Bytes, 8, 3), (std::vector<int>{0, 16, 20}));

    // Background pen and brush, then the curve pen is made before the
    // background pen goes: three objects at once, plus the reserved slot.
    EXPECT_EQ(U16At(file, 56), 4u);
    EXPECT_EQ(AllOf(records, kEmrCreatePen).size(), 2u);
    EXPECT_EQ(AllOf(records, kEmrCreateBrushIndirect).size(), 1u);
    EXPECT_EQ(AllOf(records, kEmrDeleteObject).size(), 1u);
}

TEST(EmfStructure, BackgroundIsNullPenRectangleWithSolidBrush)
{
    const auto records = EmfRecords(CurveEmf());
    const auto pens = AllOf(records, kEmrCreatePen);
    const auto brushes = AllOf(records, kEmrCreateBrushIndirect);
    const auto rects = AllOf(records, kEmrRectangle);
    ASSERT_FALSE(pens.empty() || brushes.empty() || rects.empty());
    EXPECT_EQ(U32At(pens.front()->Bytes, 12), 5u); // PS_NULL
    EXPECT_EQ(U32At(brushes.front()->Bytes, 12), 0u); // BS_SOLID
    EXPECT_EQ(U32At(brushes.front()->Bytes, 16), 0x00FFFFFFu);
    EXPECT_EQ(I32s(rects.front()->Bytes, 8, 4), (std::vector<int>{0, 0, kWidth + 1, kHeight + 1}));
}

TEST(EmfPolyline, SixteenBitPointsWhenTheyFitThirtyTwoBeyond)
{
    const auto records = EmfRecords(CurveEmf({{100, 100}, {400, 300}, {700, 500}}, 3));
    ASSERT_EQ(AllOf(records, kEmrPolyline16).size(), 1u);
    EXPECT_TRUE(AllOf(records, kEmrPolyline).empty());
    const QByteArray& r = AllOf(records, kEmrPolyline16).front()->Bytes;
    EXPECT_EQ(r.size(), 28 + 3 * 4);
    EXPECT_EQ(U32At(r, 24), 3u);
    EXPECT_EQ(I16s(r, 28, 6), (std::vector<int>{100, 100, 400, 300, 700, 500}));
    EXPECT_EQ(I32s(r, 8, 4), (std::vector<int>{99, 99, 701, 501})) << "bounds widened by the pen";
    const QByteArray& pen = AllOf(records, kEmrCreatePen).back()->Bytes;
    EXPECT_EQ(U32At(pen, 12), 0u); // PS_SOLID
    EXPECT_EQ(I32At(pen, 16), 3);
    EXPECT_EQ(U32At(pen, 24), 0x00FF0000u);

    const auto wide = EmfRecords(CurveEmf({{10, 10}, {40000, -40000}}));
    ASSERT_EQ(AllOf(wide, kEmrPolyline).size(), 1u);
    EXPECT_TRUE(AllOf(wide, kEmrPolyline16).empty());
    const QByteArray& r32 = AllOf(wide, kEmrPolyline).front()->Bytes;
    EXPECT_EQ(r32.size(), 28 + 2 * 8);
    EXPECT_EQ(I32s(r32, 28, 4), (std::vector<int>{10, 10, 40000, -40000}));
}

TEST(EmfPixels, OneSetPixelPerPointAndDotsAreEllipseBoxes)
{
    std::vector<QPoint> points;
    for (int i = 0; i < 1000; ++i)
        points.emplace_back(i % kWidth, (i * 7) % kHeight);
    const auto records = EmfRecords(Emf([&](QPainter& painter) {
        painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(Qt::black));
        painter.setPen(QPen(QColor(255, 128, 0), 1));
        painter.drawPoints(points.data(), static_cast<int>(points.size()));
        painter.setBrush(QColor(0, 255, 0));
        painter.drawEllipse(QRect(200 - 6, 150 - 6, 11, 11));
    }));
    const auto pixels = AllOf(records, kEmrSetPixelV);
    ASSERT_EQ(pixels.size(), 1000u);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        ASSERT_EQ(pixels[i]->Bytes.size(), 20);
        EXPECT_EQ(I32s(pixels[i]->Bytes, 8, 2), (std::vector<int>{points[i].x(), points[i].y()}));
        EXPECT_EQ(U32At(pixels[i]->Bytes, 16), 0x000080FFu);
    }
    const auto ellipses = AllOf(records, kEmrEllipse);
    ASSERT_EQ(ellipses.size(), 1u);
    const QByteArray& e = ellipses.front()->Bytes;
    ASSERT_EQ(e.size(), 24);
    EXPECT_EQ(I32s(e, 8, 4), (std::vector<int>{194, 144, 206, 156}));
}

TEST(EmfReadBack, ConverterDrawsTheCurve)
{
    if (!ToolAvailable(QStringLiteral("emf2svg-conv")))
        GTEST_SKIP() << "emf2svg-conv is not installed";
    QTemporaryDir dir;
    const QString emf = dir.filePath(QStringLiteral("curve.emf"));
    const QString svg = dir.filePath(QStringLiteral("curve.svg"));
    ASSERT_TRUE(WriteBytes(emf, CurveEmf()));
    const ToolResult result = RunTool(QStringLiteral("emf2svg-conv"), {QStringLiteral("-i"), emf, QStringLiteral("-o"), svg});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QByteArray text = ReadBytes(svg);
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("fill=\"#FFFFFF\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("stroke=\"#0000FF\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("M 100.0000,100.0000 L 400.0000,300.0000 L 700.0000,500.0000")) << text.toStdString();
}

} // namespace
