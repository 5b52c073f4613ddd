#include "model/start_generator.h"
#include "output/clipboard/clipboard_picture.h"
#include "tests/support/metafile_reader.h"
#include "tests/support/shown_curve.h"

#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 285.75)};
const QSize kPane(240, 150);

int RecordsOf(const QByteArray& emf, std::uint32_t type)
{
    int count = 0;
    for (const EmfRecord& r : EmfRecords(emf))
        count += r.Type == type;
    return count;
}

// The start curve at depth 3 as a pane of 240 x 150 shows it.
class ClipboardPicture : public ::testing::Test {
protected:
    ClipboardPicture()
    {
        MakeStartGenerator(generator);
        viewer.Depth = 3;
        viewer.Recalculate();
        viewer.SetRect({0, 0, kPane.width(), kPane.height()});
        viewer.Transform();
        viewer.PenWidth = 2;
    }

    ShownCurve Pane(bool lines) const { return ShownCurve(viewer, lines, kPane.width(), kPane.height()); }

    FractModel generator{kGeneratorCapacity};
    FractViewer viewer{generator, kCurveCapacity};
};

TEST_F(ClipboardPicture, OneDrawingInFourTypes)
{
    const auto data = ::ClipboardPicture(Pane(true), kPane, kScreen);
    EXPECT_EQ(data->formats(), (QStringList{ClipboardTypes::kEmf, ClipboardTypes::kOfficeEmf, ClipboardTypes::kSvg,
                                            ClipboardTypes::kPng}));
    EXPECT_EQ(data->data(ClipboardTypes::kEmf), PaneEmf(Pane(true), kPane, kScreen));
    EXPECT_EQ(data->data(ClipboardTypes::kOfficeEmf), data->data(ClipboardTypes::kEmf));
    EXPECT_EQ(data->data(ClipboardTypes::kSvg), PaneSvg(Pane(true), kPane));
    EXPECT_EQ(data->data(ClipboardTypes::kPng), PanePng(Pane(true), kPane));
}

// How the SVG draws lines and points is tested on SvgBytes
// (picture_formats_test).
TEST_F(ClipboardPicture, ThePicturesHaveThePanesSizeAndTheEmfItsLinesOrPixels)
{
    EXPECT_TRUE(QString::fromUtf8(PaneSvg(Pane(true), kPane))
                    .contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(kPane.width()).arg(kPane.height())));
    EXPECT_EQ(QImage::fromData(PanePng(Pane(true), kPane), "PNG").size(), kPane);
    const QByteArray lines = PaneEmf(Pane(true), kPane, kScreen);
    EXPECT_EQ(I32s(lines, 8, 4), (std::vector<int>{0, 0, kPane.width() - 1, kPane.height() - 1}));
    EXPECT_EQ(RecordsOf(lines, kEmrPolyline16) + RecordsOf(lines, kEmrPolyline), 1);
    EXPECT_EQ(RecordsOf(lines, kEmrSetPixelV), 0);

    const QByteArray points = PaneEmf(Pane(false), kPane, kScreen);
    EXPECT_EQ(RecordsOf(points, kEmrSetPixelV), viewer.PointCount);
    EXPECT_EQ(RecordsOf(points, kEmrPolyline16) + RecordsOf(points, kEmrPolyline), 0);
}

} // namespace
