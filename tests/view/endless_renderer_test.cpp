#include "model/fract_file.h"
#include "tests/support/picture_compare.h"
#include "view/curve_drawing.h"
#include "view/endless_renderer.h"
#include "view/endless_view.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

class EndlessPictures : public ::testing::Test {
protected:
    void Open(const char* name)
    {
        LoadFractDocument(QStringLiteral(ORNALIX_EXAMPLES "/") + QLatin1String(name), generator);
        view.Recalculate(generator);
        ASSERT_TRUE(view.Curve().Exists());
    }

    static BigComplex Point(const char* re, const char* im) { return {*ParseDecimal(re), *ParseDecimal(im)}; }

    QImage Fitted(const BigComplex& a, const BigComplex& b, int width, int height)
    {
        view.SetWindow(a, b);
        return Draw(renderer.Picture(ViewPlacement::FittedTo({0, 0, width, height}), CurveStyle()), width, height);
    }

    static QImage Draw(const std::unique_ptr<ViewPicture>& picture, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        picture->Draw(painter);
        return image;
    }

    FractModel generator{kGeneratorCapacity};
    EndlessView view;
    EndlessRenderer renderer{view};
};

// The node of the copy reached through copies: each copy's nodes on its
// chord from s to e are s + (e - s) N(k) / N, computed here in bits.
BigComplex NodeOfCopy(const LimitCurve& curve, const std::vector<int>& copies, int node, mpfr_prec_t bits)
{
    const BigComplex n(curve.End(), bits);
    const BigFloat square = n.Re * n.Re + n.Im * n.Im;
    const auto at = [&](const BigComplex& s, const BigComplex& e, int k) {
        const BigComplex c = e - s, nk(curve.AbsoluteNodes()[k], bits);
        const BigFloat re = c.Re * nk.Re - c.Im * nk.Im, im = c.Re * nk.Im + c.Im * nk.Re;
        return s + BigComplex((re * n.Re + im * n.Im) / square, (im * n.Re - re * n.Im) / square);
    };
    BigComplex s(Complex(0, 0), bits), e = n;
    for (const int k : copies) {
        BigComplex start = at(s, e, k);
        e = at(s, e, k + 1);
        s = std::move(start);
    }
    return at(s, e, node);
}

// Windows about a point p of C, shrunk by g(z) = p + (z - p) / 3 down to
// 1e-300, show C running through p: at its ends and at the nodes inside,
// whose ratios to the end (1/3) are no doubles, and at a point many copies
// deep. C is self-similar under g about the end and every node of the
// quadratic Koch curve (its copies are C / 3 turned by quarter turns), so
// there every g^k(W) draws what g(W) does; not W itself, because pieces
// that reach into W can miss the smaller windows.
TEST_F(EndlessPictures, WindowsAboutAPointOfTheCurveShowItAtAnyMagnification)
{
    struct Row {
        const char* name;
        std::vector<int> copies;
        int node;
        bool selfSimilar;
    };
    std::vector<int> deep(700);
    for (std::size_t i = 0; i < deep.size(); ++i)
        deep[i] = 1 + static_cast<int>(i % 3);
    const Row rows[] = {
        {"quadratic-koch.fract", {}, 5, true}, {"quadratic-koch.fract", {}, 1, true},
        {"quadratic-koch.fract", {}, 3, true}, {"koch.fract", {}, 1, false},
        {"koch.fract", {}, 2, false},          {"koch.fract", deep, 0, false},
    };
    constexpr mpfr_prec_t kBits = 2400;
    const BigFloat three(3.0, kBits);
    const PixelRect rect{0, 0, 240, 160};
    for (const Row& row : rows) {
        Open(row.name);
        const BigComplex p = NodeOfCopy(view.Curve(), row.copies, row.node, kBits);
        const auto g = [&](const BigComplex& z) { return p + (z - p) / three; };
        BigComplex a = g(p + BigComplex(Complex(-0.48766, -0.23456), kBits));
        BigComplex b = g(p + BigComplex(Complex(0.19876, 0.18765), kBits));
        QImage first;
        for (int k = 1; k <= 630; a = g(a), b = g(b), ++k) {
            if (k != 1 && k != 2 && k != 40 && k != 200 && k != 630)
                continue;
            const QImage picture = Fitted(a, b, rect.Right, rect.Bottom);
            const Complex at = FitCamera(a, b, rect).PixelOf(p);
            const QRect around(static_cast<int>(at.Re) - 1, static_cast<int>(at.Im) - 1, 3, 3);
            EXPECT_GT(PixelsOf(picture.copy(around), qRgb(0, 0, 0)), 0) << row.name << " " << row.node << " g^" << k;
            if (k == 1) {
                first = picture;
            } else if (row.selfSimilar) {
                EXPECT_EQ(picture, first) << row.name << " " << row.node << " g^" << k;
            }
        }
    }
}

// Everything the trace for a large picture draws inside a part of it, the
// trace for the part alone draws too: no piece that meets it was culled,
// nor one just outside that a wide pen draws into it.
TEST_F(EndlessPictures, CullingKeepsEveryPieceThatMeetsThePicture)
{
    Open("koch.fract");
    // About the curve's start, which lies exactly at the origin.
    view.SetWindow(Point("-0.3e-40", "-0.2e-40"), Point("1.1e-40", "0.5e-40"));
    const PixelRect whole{0, 0, 400, 300}, part{166, 90, 306, 210};
    const EndlessCamera camera = FitCamera(view.WindowMin(), view.WindowMax(), whole);
    for (const int pen : {1, 3}) {
        CurveStyle style;
        style.PenWidth = pen;
        const TraceLimits limits = TraceLimitsFor(style);
        CurveTracer wholeTracer, partTracer;
        TracedCurve all, some;
        wholeTracer.Trace(view.Curve(), camera, whole, limits, all);
        partTracer.Trace(view.Curve(), camera, part, limits, some);
        ASSERT_TRUE(all.Complete && some.Complete);
        EXPECT_LT(some.Segments, all.Segments);
        const auto paint = [&style](const TracedCurve& trace, const PixelRect& rect) {
            QImage picture(400, 300, QImage::Format_RGB32);
            QPainter painter(&picture);
            std::vector<QPoint> scratch;
            DrawStyledRuns(painter, trace.Points, trace.RunStarts, rect, style, scratch, trace.Colors);
            return picture;
        };
        const QImage wholePicture = paint(all, whole), partPicture = paint(some, part);
        const QRect inside(part.Left, part.Top, part.Right - part.Left, part.Bottom - part.Top);
        EXPECT_GT(PixelsOf(wholePicture.copy(inside), qRgb(0, 0, 0)), 100) << pen;
        EXPECT_EQ(DifferentPixels(wholePicture.copy(inside), partPicture.copy(inside)), 0) << pen;
    }
}

// A picture's tiles are drawn in parts while they are traced only in the
// styles whose pixels come out the same: a picture of one tile, drawn twice
// as a zoom's frames are, is its whole trace drawn at once in every style.
TEST_F(EndlessPictures, APictureIsItsWholeTraceDrawnInEveryStyle)
{
    const PixelRect rect{0, 0, 250, 200};
    CurveStyle pixels, gradient, thick, dots;
    pixels.Shape = CurveStyle::Marks::Pixels;
    gradient.Coloring.Kind = CurveColoring::Mode::Gradient;
    thick.PenWidth = 3;
    thick.Antialiased = true;
    dots.Shape = CurveStyle::Marks::Dots;
    dots.DotRadius = 2;
    dots.Antialiased = true;
    const SegmentColors colors(gradient.Coloring, 1);
    const QImage plain(rect.Right, rect.Bottom, QImage::Format_ARGB32_Premultiplied);
    QImage bits(rect.Right, rect.Bottom, QImage::Format_Mono);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    const struct {
        const char* name;
        CurveStyle style;
        QImage image;
    } rows[] = {{"lines", CurveStyle(), plain}, {"pixels", pixels, plain}, {"gradient", gradient, plain},
                {"bits", CurveStyle(), bits},   {"smoothed", thick, plain}, {"dots", dots, plain}};
    Open("cesaro.fract");
    view.FitToPane(rect);
    for (const auto& row : rows) {
        TraceLimits limits = TraceLimitsFor(row.style);
        limits.Colors = row.style.Coloring.Colored() ? &colors : nullptr;
        TracedCurve whole;
        CurveTracer().Trace(view.Curve(), view.Camera(), rect, limits, whole);
        ASSERT_GT(whole.Points.size(), 3 * kTracePartPoints) << row.name;
        QImage wholePicture = row.image;
        QPainter wholePainter(&wholePicture);
        std::vector<QPoint> scratch;
        DrawStyledRuns(wholePainter, whole.Points, whole.RunStarts, rect, row.style, scratch, whole.Colors);
        wholePainter.end();
        for (int frame = 0; frame < 2; ++frame) {
            QImage picture = row.image;
            QPainter painter(&picture);
            renderer.Picture(ViewPlacement::AsShownIn(rect), row.style)->Draw(painter);
            painter.end();
            EXPECT_EQ(DifferentPixels(picture, wholePicture), 0) << row.name << " " << frame;
        }
    }
}

// Draws the parts a tracer hands over on a picture.
struct PartPicture : TracePartSink {
    PartPicture(QImage& image, const PixelRect& rect) : painter(&image), drawing(painter, style, scratch), rect(rect) {}
    void Restart() override { drawing.Fill(rect); }
    void Take(const TracedCurve& part) override { drawing.Runs(part.Points, part.RunStarts, part.Colors); }
    QPainter painter;
    CurveStyle style;
    std::vector<QPoint> scratch;
    RunDrawing drawing;
    PixelRect rect;
};

// The roots a tracer keeps serve the pictures of the next cameras (the steps
// of a zoom in and out, pans) as a fresh descent would.
TEST_F(EndlessPictures, KeptRootsDrawWhatAFreshDescentDraws)
{
    Open("koch.fract");
    const PixelRect pane{0, 0, 300, 200};
    view.SetWindow(Point("1.3e-50", "-2e-50"), Point("4e-50", "0.5e-50"));
    view.FitToPane(pane);
    EndlessCamera camera = view.Camera();
    CurveTracer kept;
    TracedCurve served, fresh;
    CameraMove move;
    // Zooms in, a pan, a zoom out, a pan within the kept area, pans beyond
    // it, the last two below the area it kept and back.
    const double moves[][3] = {{1.5, -40, -30}, {1.5, -40, -30}, {1, 60, -20}, {0.4, 90, 60}, {1, -150, 0},
                               {1, -700, 0},    {1, -750, 1050}, {1, 0, -900}, {1, 0, 900}};
    for (const auto& [scale, x, y] : moves) {
        move.Scale = BigFloat(scale, kScaleBits);
        move.Offset = BigComplex(Complex(x, y), 64);
        camera.Move(move);
        kept.Trace(view.Curve(), camera, pane, TraceLimits(), served);
        CurveTracer().Trace(view.Curve(), camera, pane, TraceLimits(), fresh);
        ASSERT_GT(fresh.Segments, 100);
        EXPECT_EQ(served.Segments, fresh.Segments);
        ASSERT_EQ(served.Points.size(), fresh.Points.size());
        for (std::size_t i = 0; i < fresh.Points.size(); ++i) {
            EXPECT_NEAR(served.Points[i].Re, fresh.Points[i].Re, 1e-6);
            EXPECT_NEAR(served.Points[i].Im, fresh.Points[i].Im, 1e-6);
        }
    }
}

// A curve of dimension near 2 on a large picture: drawn whole, from its
// start to its end, in fewer and longer pieces. Handed over in parts, the
// trace starts over coarser where it passes the budget, painting over the
// parts it handed over before: the picture is the whole trace's.
TEST_F(EndlessPictures, TheBudgetRefinesLessDeepAndDrawsTheWholeCurve)
{
    Open("cesaro.fract");
    const PixelRect rect{0, 0, 1000, 1000};
    const EndlessCamera camera = FitCamera(view.WindowMin(), view.WindowMax(), rect);
    TraceLimits limits;
    TraceRoots roots;
    PreciseRoots().Find(view.Curve(), camera, rect, limits.Margin, roots);
    CurveTracer tracer;
    TracedCurve trace, last;
    for (const int budget : {1000, 5000, 30000}) {
        limits.Budget = budget;
        tracer.TraceFrom(view.Curve(), roots, rect, limits, trace);
        EXPECT_FALSE(trace.Complete) << budget;
        EXPECT_LE(trace.Segments, budget);
        EXPECT_GT(trace.Segments, budget / 4) << "as deep as the budget allows";
        ASSERT_EQ(trace.RunStarts.size(), 1u) << "one polyline";
        const Complex start = camera.PixelOf(BigComplex(Complex(0, 0), 64));
        const Complex end = camera.PixelOf(BigComplex(view.Curve().End(), 64));
        EXPECT_EQ(trace.Points.front().Re, start.Re);
        EXPECT_NEAR(trace.Points.back().Re, end.Re, 1e-9);
        EXPECT_NEAR(trace.Points.back().Im, end.Im, 1e-9);

        QImage wholePicture(rect.Right, rect.Bottom, QImage::Format_RGB32), partPicture = wholePicture;
        QPainter painter(&wholePicture);
        std::vector<QPoint> scratch;
        DrawStyledRuns(painter, trace.Points, trace.RunStarts, rect, CurveStyle(), scratch, trace.Colors);
        painter.end();
        {
            PartPicture parts(partPicture, rect);
            CurveTracer().TraceFrom(view.Curve(), roots, rect, limits, last, parts);
        }
        EXPECT_EQ(DifferentPixels(partPicture, wholePicture), 0) << budget;
    }
    limits.Budget = kSegmentBudget;
    tracer.Trace(view.Curve(), camera, {0, 0, 200, 200}, limits, trace);
    EXPECT_TRUE(trace.Complete) << "a small picture fits the budget";
}

// A poster is drawn a band of rows at a time, each band only the tiles it
// shows: a crop of a 30,000-pixel picture of the whole of Cesaro's curve,
// whose dense tiles need the most pieces, shows what the same window
// exported alone at 1000 pixels shows, every tile refined to the pixel.
TEST_F(EndlessPictures, APostersCropShowsWhatItsWindowAloneShows)
{
    Open("cesaro.fract");
    constexpr int kPoster = 30000, kCrop = 1000;
    const PixelRect poster{0, 0, kPoster, kPoster};
    const QRgb black = qRgb(0, 0, 0);
    for (const QPoint corner : {QPoint(9000, 16500), QPoint(3000, 19500), QPoint(14400, 13500)}) {
        view.FullView();
        const EndlessCamera camera = FitCamera(view.WindowMin(), view.WindowMax(), poster);
        QImage crop(kCrop, kCrop, QImage::Format_RGB32);
        {
            QPainter painter(&crop);
            painter.translate(-corner);
            renderer.Picture(ViewPlacement::FittedTo(poster), CurveStyle())->Draw(painter);
        }
        const Complex from(corner.x(), corner.y()), to(corner.x() + kCrop, corner.y() + kCrop);
        const QImage alone = Fitted(camera.PointAt(from), camera.PointAt(to), kCrop, kCrop);
        const int cropPixels = PixelsOf(crop, black), alonePixels = PixelsOf(alone, black);
        EXPECT_GT(cropPixels, 10000) << corner.x() << "," << corner.y();
        EXPECT_LT(std::abs(cropPixels - alonePixels), std::max(cropPixels, alonePixels) / 10)
            << corner.x() << "," << corner.y() << ": " << cropPixels << " against " << alonePixels;
        EXPECT_GE(ShareNear(crop, alone, black), 0.95) << corner.x() << "," << corner.y();
        EXPECT_GE(ShareNear(alone, crop, black), 0.95) << corner.x() << "," << corner.y();
    }
}

// A window fills the rectangle across its longer side and is centred
// along the other: its corners land where the fit puts them. After a wheel
// notch the window is all the pane shows, though the pane showed more than
// the window before.
TEST(EndlessFit, TheWindowIsCentredInTheRectangle)
{
    struct Row {
        Complex min, max; // the window; with a notch, the pane's corners after it
        PixelRect rect;
        Complex minPixel, maxPixel;
        bool notch = false; // (0, 0) to (4, 1) in a 400 x 200 pane, x2 about its centre
    };
    const Row rows[] = {
        {{0, 0}, {4, 1}, {0, 0, 400, 200}, {0, 50}, {400, 150}},      // wider than the rectangle
        {{-1, 2}, {0, 6}, {10, 20, 410, 220}, {185, 20}, {235, 220}}, // taller
        {{1, 0}, {3, 1}, {0, 0, 800, 200}, {200, 0}, {600, 200}, true},
    };
    for (const Row& row : rows) {
        EndlessView view;
        view.SetWindow(BigComplex(row.min, 64), BigComplex(row.max, 64));
        if (row.notch) {
            const PixelRect pane{0, 0, 400, 200};
            view.SetWindow(BigComplex(Complex(0, 0), 64), BigComplex(Complex(4, 1), 64));
            view.FitToPane(pane);
            view.MovePicture({BigFloat(2.0, kScaleBits), BigComplex(Complex(-200, -100), 64)}, pane);
        }
        const EndlessCamera camera = FitCamera(view.WindowMin(), view.WindowMax(), row.rect);
        const Complex min = camera.PixelOf(BigComplex(row.min, 64)), max = camera.PixelOf(BigComplex(row.max, 64));
        EXPECT_NEAR(min.Re, row.minPixel.Re, 1e-9);
        EXPECT_NEAR(min.Im, row.minPixel.Im, 1e-9);
        EXPECT_NEAR(max.Re, row.maxPixel.Re, 1e-9);
        EXPECT_NEAR(max.Im, row.maxPixel.Im, 1e-9);
    }
}

} // namespace
