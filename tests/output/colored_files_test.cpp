// One coloured picture in every format, read back by programs we did not
// write: the colours at the start, middle and end of the curve.
#include "output/clip/open_clip.h"
#include "output/clipboard/clipboard_picture.h"
#include "output/picture_export.h"
#include "session/fractal_session.h"
#include "tests/support/clip_reader.h"
#include "tests/support/metafile_reader.h"
#include "tests/support/tool_runner.h"
#include "view/curve_renderer.h"
#include "view/fract_viewer.h"

#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 285.75)};
constexpr int kWidth = 160;
constexpr int kHeight = 48;
constexpr int kClipFrames = 3;
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

int Distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// The distinct matches of pattern's first group.
int DistinctOf(const QString& text, const QString& pattern)
{
    QSet<QString> found;
    for (auto it = QRegularExpression(pattern, QRegularExpression::MultilineOption).globalMatch(text); it.hasNext();)
        found.insert(it.next().captured(1));
    return static_cast<int>(found.size());
}

// A PDF carries the second it was made.
QByteArray Undated(QByteArray file)
{
    static const QRegularExpression date(QStringLiteral("/CreationDate \\(D:\\d+Z\\)"));
    return QString::fromLatin1(file).remove(date).toLatin1();
}

bool Ink(QRgb pixel)
{
    return Distance(pixel, qRgb(255, 255, 255)) > 64;
}

// The middle of the line at this share of its width, in a picture read back:
// readers place and scale the curve as they like, and may draw the pen
// thinner.
QPoint Along(const QImage& picture, double share)
{
    int left = picture.width(), right = -1;
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y)
            if (Ink(picture.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const int x = left + static_cast<int>(share * (right - left));
    int top = -1, bottom = -1;
    for (int y = 0; y < picture.height(); ++y)
        if (Ink(picture.pixel(x, y))) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    return {x, (top + bottom) / 2};
}

// A straight generator at depth 10, 1024 segments across the picture with
// a thick pen, from red at its start to blue at its end: more segments than
// the gradient has steps, so that a vector document must join them.
class ColoredFiles : public ::testing::Test {
protected:
    ColoredFiles()
    {
        generator.Count = 2;
        generator.Items[0].SetTo(1, 0);
        generator.Items[1].SetTo(1, 0);
        viewer.Depth = 10;
        viewer.Recalculate();
        style.PenWidth = 6;
        style.Coloring.Stops = {{0.0, RgbColor(255, 0, 0)}, {1.0, RgbColor(0, 0, 255)}};
        style.Coloring.Kind = CurveColoring::Mode::Gradient;
        drawn = Drawn(style);
    }

    std::unique_ptr<ViewPicture> View(const CurveStyle& s)
    {
        return renderer.Picture(ViewPlacement::FittedTo({0, 0, kWidth, kHeight}), s);
    }

    QImage Drawn(const CurveStyle& s)
    {
        QImage picture(kWidth, kHeight, QImage::Format_RGB32);
        QPainter painter(&picture);
        View(s)->Draw(painter);
        return picture;
    }

    // What a recording of a session in this coloring asks of its clip.
    static ClipRequest Request(const QString& path, const CurveColoring& coloring)
    {
        FractalSession session;
        session.Coloring = coloring;
        ClipRequest request{path, QSize(kWidth, kHeight), 40, {}, {}, {}, {}};
        request.TakeColorsOf(session);
        return request;
    }

    void Record(const QString& path)
    {
        const auto clip = OpenClip(Request(path, style.Coloring));
        for (int i = 0; i < kClipFrames; ++i)
            clip->AddFrame(drawn);
        clip->Finish(WorkProgress::Unwatched());
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // A tool's PNG of one of our files, which arguments name as out.
    QImage ReadBack(const QString& tool, const QStringList& arguments) const
    {
        const QString png = Path(QStringLiteral("read.png"));
        QFile::remove(png);
        const ToolResult result = RunTool(tool, arguments);
        EXPECT_EQ(result.ExitCode, 0) << tool.toStdString() << ": " << result.Errors.toStdString();
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }

    FractModel generator{kGeneratorCapacity};
    FractViewer viewer{generator, kCurveCapacity};
    CurveRenderer renderer{viewer};
    CurveStyle style;
    QImage drawn;
    QTemporaryDir dir;
};

TEST_F(ColoredFiles, EveryFormatKeepsTheColoursAlongTheCurve)
{
    const auto write = [this](const QString& path, const CurveStyle& s) {
        WritePicture(*View(s), kWidth, kHeight, path, kScreen);
    };
    // The clipboard's EMF and SVG are the files' own writers; its PNG is
    // drawn apart.
    const auto clipboardPng = [this](const QString& path, const CurveStyle& s) {
        WriteBytes(path, ClipboardPicture(*View(s), QSize(kWidth, kHeight), kScreen)->data(ClipboardTypes::kPng));
    };
    const auto record = [this](const QString& path, const CurveStyle&) { Record(path); };
    const QString out = Path(QStringLiteral("read.png")), svg = Path(QStringLiteral("read.svg"));
    const auto magick = [&](const QString& f) { return ReadBack(QStringLiteral("convert"), {f, out}); };
    const auto rsvg = [&](const QString& f) {
        return ReadBack(QStringLiteral("rsvg-convert"), {QStringLiteral("-o"), out, f});
    };
    const auto pdf = [&](const QString& f) {
        return ReadBack(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                                     QStringLiteral("-singlefile"), f, Path(QStringLiteral("read"))});
    };
    // emf2svg-conv draws every pen one pixel wide, on the pixels' edges:
    // twice the size, it covers whole pixels.
    const auto emf = [&](const QString& f) {
        RunTool(QStringLiteral("emf2svg-conv"), {QStringLiteral("-i"), f, QStringLiteral("-o"), svg});
        return ReadBack(QStringLiteral("rsvg-convert"),
                        {QStringLiteral("-z"), QStringLiteral("2"), QStringLiteral("-o"), out, svg});
    };
    // Not wmf2svg: it names the nearest of SVG's colour names instead.
    const auto wmf = [&](const QString& f) {
        return ReadBack(QStringLiteral("convert"), {QStringLiteral("-density"), QStringLiteral("96"), f, out});
    };
    const auto lastFrame = [](const QString& f) {
        const QList<QImage> frames = DecodeFrames(f);
        EXPECT_EQ(frames.size(), kClipFrames);
        return frames.isEmpty() ? QImage() : frames.last();
    };
    // Runs of one colour: more than one, and no more than the steps.
    const auto steps = [](int runs) {
        EXPECT_GT(runs, 1);
        EXPECT_LE(runs, kGradientSteps);
    };
    const struct {
        const char* name;
        std::function<void(const QString&, const CurveStyle&)> make;
        std::function<QImage(const QString&)> read;
        int tolerance; // of a channel
        // What else the file must say of its colours, for a row that says
        // more than its pixels.
        std::function<void(const QString&)> check;
    } rows[] = {
        {"a.png", write, magick, 0, {}},
        {"a.jpg", write, magick, 6, {}},
        {"a.bmp", write, magick, 0, [](const QString& f) { EXPECT_EQ(U16At(ReadBytes(f), 28), 24); }},
        {"a.svg", write, rsvg, 2,
         [&](const QString& f) {
             const QString text = QString::fromUtf8(ReadBytes(f));
             steps(static_cast<int>(text.count(QStringLiteral("<polyline"))));
             steps(DistinctOf(text, QStringLiteral(" stroke=\"(#[0-9a-f]{6})\"")));
         }},
        {"a.pdf", write, pdf, 2,
         [&](const QString& f) {
             const QString plain = Path(QStringLiteral("plain.pdf"));
             RunTool(QStringLiteral("qpdf"),
                     {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), f, plain});
             const QString content = QString::fromLatin1(ReadBytes(plain));
             steps(static_cast<int>(
                 content.count(QRegularExpression(QStringLiteral("^S$"), QRegularExpression::MultilineOption))));
             steps(DistinctOf(content, QStringLiteral("^([\\d.]+ [\\d.]+ [\\d.]+) SCN$")));
         }},
        {"a.emf", write, emf, 8,
         [&](const QString& f) { // and the background's
             steps(static_cast<int>(AllOf(EmfRecords(ReadBytes(f)), kEmrCreatePen).size()) - 1);
         }},
        {"a.wmf", write, wmf, 8,
         [&](const QString& f) {
             steps(static_cast<int>(AllOf(WmfRecords(ReadBytes(f)), kMetaCreatePenIndirect).size()) - 1);
         }},
        {"clipboard.png", clipboardPng, magick, 0, {}},
        {"a.avi", record, lastFrame, 0,
         [](const QString& f) { EXPECT_EQ(Probe(f, QStringLiteral("v:0"))["pix_fmt"], "bgr24"); }},
        {"a.mp4", record, lastFrame, 16, {}},
        {"a.webm", record, lastFrame, 16, {}},
        {"a.gif", record, lastFrame, 1, {}},
    };
    const double shares[] = {0.1, 0.5, 0.9};
    ASSERT_LE(Distance(drawn.pixel(Along(drawn, shares[0])), kRed), 40);
    ASSERT_LE(Distance(drawn.pixel(Along(drawn, shares[2])), kBlue), 40);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = Path(QLatin1String(row.name));
        row.make(path, style);
        const QImage read = row.read(path);
        ASSERT_FALSE(read.isNull());
        for (const double share : shares) {
            const QRgb was = drawn.pixel(Along(drawn, share)), is = read.pixel(Along(read, share));
            EXPECT_LE(Distance(is, was), row.tolerance) << share << ": " << std::hex << is << " drawn " << was;
        }
        if (row.check)
            row.check(path);
        // "Einfarbig" keeps the gradient without using it: the file is the
        // one a style without colours gives, a clip the one of two colours.
        CurveStyle single = style, plain{kWhite, kBlack, style.PenWidth};
        single.Coloring.Kind = CurveColoring::Mode::Single;
        if (IsClipFormat(PictureFormatOf(path))) {
            EXPECT_TRUE(Request(path, single.Coloring).CurveColors.empty());
            continue;
        }
        const QString singlePath = Path(QStringLiteral("single-") + QLatin1String(row.name));
        const QString plainPath = Path(QStringLiteral("plain-") + QLatin1String(row.name));
        row.make(singlePath, single);
        row.make(plainPath, plain);
        EXPECT_EQ(Undated(ReadBytes(singlePath)), Undated(ReadBytes(plainPath)));
    }
}

} // namespace
