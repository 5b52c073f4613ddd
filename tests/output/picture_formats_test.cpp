// PNG, SVG and PDF of one view, each read back by a reader we did not write
// and held against the BMP or the EMF of the same view and size.
#include "model/start_generator.h"
#include "output/picture_export.h"
#include "tests/support/metafile_reader.h"
#include "tests/support/picture_compare.h"
#include "tests/support/shown_curve.h"
#include "tests/support/tool_runner.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 286.0)};
constexpr int kWidth = 301;
constexpr int kHeight = 203;

using Vertices = std::vector<std::pair<int, int>>;

class PictureFormats : public ::testing::Test {
protected:
    PictureFormats()
    {
        MakeStartGenerator(generator);
        viewer.Depth = 3;
        viewer.PenWidth = 2;
        viewer.Recalculate();
        viewer.SetRect({0, 0, kWidth, kHeight});
        viewer.Transform();
    }

    QString Export(const QString& name, bool lines, bool smooth = false)
    {
        const QString path = dir.filePath(name);
        WritePicture(ShownCurve(viewer, lines, kWidth, kHeight, smooth), kWidth, kHeight, path, kScreen);
        return path;
    }

    // The polylines' corners of the EMF of the same view.
    Vertices EmfVertices()
    {
        Vertices corners;
        const auto records = EmfRecords(ReadBytes(Export(QStringLiteral("same.emf"), true)));
        for (const EmfRecord* r : AllOf(records, kEmrPolyline16))
            for (quint32 i = 0; i < U32At(r->Bytes, 24); ++i)
                corners.emplace_back(I16At(r->Bytes, 28 + 4 * i), I16At(r->Bytes, 30 + 4 * i));
        return corners;
    }

    FractModel generator{kGeneratorCapacity};
    FractViewer viewer{generator, kCurveCapacity};
    QTemporaryDir dir;
};

Vertices SvgVertices(const QString& svg)
{
    Vertices corners;
    static const QRegularExpression pair(QStringLiteral("(-?\\d+),(-?\\d+)"));
    const auto polyline = QRegularExpression(QStringLiteral("<polyline[^>]* points=\"([^\"]*)\"")).match(svg);
    for (auto it = pair.globalMatch(polyline.captured(1)); it.hasNext();) {
        const auto m = it.next();
        corners.emplace_back(m.captured(1).toInt(), m.captured(2).toInt());
    }
    return corners;
}

// The path's corners in the page's content, uncompressed by qpdf.
Vertices PdfVertices(const QString& pdf, const QString& plain)
{
    RunTool(QStringLiteral("qpdf"), {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), pdf, plain});
    Vertices corners;
    static const QRegularExpression step(QStringLiteral("^(-?[\\d.]+) (-?[\\d.]+) [ml]$"),
                                         QRegularExpression::MultilineOption);
    for (auto it = step.globalMatch(QString::fromLatin1(ReadBytes(plain))); it.hasNext();) {
        const auto m = it.next();
        corners.emplace_back(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble()));
    }
    return corners;
}

// IHDR's bit depth and colour type.
std::pair<int, int> PngKind(const QByteArray& png)
{
    return {static_cast<unsigned char>(png.at(24)), static_cast<unsigned char>(png.at(25))};
}

// Lossless: ImageMagick finds every pixel of the BMP in the PNG, which
// keeps a palette of as few bits as the colours need.
TEST_F(PictureFormats, PngHoldsTheBmpsPixelsInAsFewBitsAsTheyNeed)
{
    constexpr int kPalette = 3;
    const struct {
        const char* name;
        bool lines;
        bool smooth;
        std::pair<int, int> kind;
    } cases[] = {{"lines", true, false, {1, kPalette}}, {"points", false, false, {1, kPalette}},
                 {"smooth", true, true, {8, kPalette}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        const QString png = Export(name + QStringLiteral(".png"), c.lines, c.smooth);
        const QString bmp = Export(name + QStringLiteral(".bmp"), c.lines, c.smooth);
        EXPECT_EQ(PngKind(ReadBytes(png)), c.kind);
        const ToolResult differing = RunTool(QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"),
                                                                         png, bmp, QStringLiteral("null:")});
        EXPECT_EQ(differing.Errors.trimmed(), "0");
    }
}

// Vector documents keep the EMF's whole-pixel corners, also with smoothing
// on, and show at the picture's size in their readers.
TEST_F(PictureFormats, SvgAndPdfDrawTheEmfsGeometry)
{
    const Vertices emf = EmfVertices();
    ASSERT_EQ(emf.size(), static_cast<std::size_t>(viewer.PointCount));
    const QString svg = Export(QStringLiteral("a.svg"), true, true);
    const QString svgText = QString::fromUtf8(ReadBytes(svg));
    EXPECT_EQ(SvgVertices(svgText), emf);
    EXPECT_TRUE(svgText.contains(QStringLiteral("width=\"%1\" height=\"%2\"").arg(kWidth).arg(kHeight)));
    EXPECT_TRUE(svgText.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(kWidth).arg(kHeight)));
    EXPECT_TRUE(svgText.contains(QStringLiteral("stroke-width=\"2\"")));
    const QString pdf = Export(QStringLiteral("a.pdf"), true, true);
    EXPECT_EQ(PdfVertices(pdf, dir.filePath(QStringLiteral("plain.pdf"))), emf);

    const QString fromSvg = dir.filePath(QStringLiteral("svg.png"));
    RunTool(QStringLiteral("rsvg-convert"), {QStringLiteral("-o"), fromSvg, svg});
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("pdf"))});
    const QRect curve = DarkBox(QImage(Export(QStringLiteral("same.bmp"), true)));
    for (const QString& rendered : {fromSvg, dir.filePath(QStringLiteral("pdf.png"))}) {
        SCOPED_TRACE(rendered.toStdString());
        const QImage picture(rendered);
        EXPECT_EQ(picture.size(), QSize(kWidth, kHeight));
        EXPECT_EQ(picture.pixelColor(0, 0), Qt::white) << "the background, drawn";
        const QRect seen = DarkBox(picture);
        EXPECT_LE((seen.topLeft() - curve.topLeft()).manhattanLength(), 2);
        EXPECT_LE((seen.bottomRight() - curve.bottomRight()).manhattanLength(), 2);
    }
}

TEST_F(PictureFormats, PointsAreOneSquareEach)
{
    const QString svg = QString::fromUtf8(ReadBytes(Export(QStringLiteral("dots.svg"), false)));
    EXPECT_EQ(svg.count(QStringLiteral("<rect")), viewer.PointCount + 1) << "and the background";
    EXPECT_EQ(svg.count(QStringLiteral("<polyline")), 0);
}

} // namespace
