#include "model/fract_file.h"
#include "output/picture_export.h"
#include "view/endless_renderer.h"
#include "view/endless_view.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 285.75)};
constexpr int kWidth = 700;
constexpr int kHeight = 500;

// Light colours of a gradient or JPEG's ringing about a line count as paper.
int DrawnPixels(const QImage& picture)
{
    int drawn = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            drawn += qGray(picture.pixel(x, y)) < 224 ? 1 : 0;
    return drawn;
}

int Colours(const QImage& picture)
{
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    return static_cast<int>(colours.size());
}

CurveStyle Colored(CurveColoring::Mode mode)
{
    CurveStyle style;
    style.Coloring.Kind = mode;
    return style;
}

// Every picture of the endless view is cut into the same tiles whatever
// the pool's size: with one thread and with two, each view has the same
// pixels drawn in parts, whole (smoothed), coloured, on one-bit frames and
// in bands of a file.
TEST(EndlessPool, PicturesAreTheSameWithOneThreadAndWithTwo)
{
    struct View {
        const char* file;
        const char* window;
    };
    const View views[] = {{"koch.fract", nullptr},
                          {"cesaro.fract", nullptr},
                          {"cesaro.fract", "-1e-30,-1e-30,2e-30,1e-30"},
                          {"koch.fract", "-1e-300,-1e-300,2e-300,1e-300"}};
    CurveStyle thick;
    thick.PenWidth = 3;
    thick.Antialiased = true;
    QTemporaryDir dir;
    struct Format {
        const char* name;
        std::function<QImage(EndlessRenderer&)> draw;
        // The fewest colours the full view shows: a coloured curve more
        // than its foreground.
        int colours = 2;
    };
    const auto inImage = [](QImage image, const CurveStyle& style) {
        return [image, style](EndlessRenderer& renderer) mutable {
            QPainter painter(&image);
            renderer.Picture(ViewPlacement::AsShownIn({0, 0, kWidth, kHeight}), style)->Draw(painter);
            painter.end();
            return image;
        };
    };
    QImage bits(kWidth, kHeight, QImage::Format_Mono);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    const auto inFile = [&dir](const char* name, const CurveStyle& style) {
        return [path = dir.filePath(QLatin1String(name)), style](EndlessRenderer& renderer) {
            WritePicture(*renderer.Picture(ViewPlacement::FittedTo({0, 0, kWidth, kHeight}), style), kWidth, kHeight,
                         path, kScreen);
            return QImage(path);
        };
    };
    const Format formats[] = {
        {"pane", inImage(QImage(kWidth, kHeight, QImage::Format_RGB32), CurveStyle())},
        {"frame bits", inImage(bits, CurveStyle())},
        {"smoothed", inImage(QImage(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied), thick)},
        {"by edge", inImage(QImage(kWidth, kHeight, QImage::Format_RGB32), Colored(CurveColoring::Mode::Edges)), 4},
        {"png", inFile("a.png", CurveStyle())},
        {"jpeg gradient", inFile("b.jpg", Colored(CurveColoring::Mode::Gradient)), 4},
    };
    QThreadPool* pool = QThreadPool::globalInstance();
    for (const View& v : views) {
        FractModel generator(kGeneratorCapacity);
        LoadFractDocument(QStringLiteral(ORNALIX_EXAMPLES "/") + QLatin1String(v.file), generator);
        EndlessView view;
        view.Recalculate(generator);
        if (v.window) {
            const QStringList c = QString::fromLatin1(v.window).split(QLatin1Char(','));
            view.SetWindow(BigComplex(*ParseDecimal(c[0].toStdString()), *ParseDecimal(c[1].toStdString())),
                           BigComplex(*ParseDecimal(c[2].toStdString()), *ParseDecimal(c[3].toStdString())));
        }
        view.FitToPane({0, 0, kWidth, kHeight});
        for (const Format& format : formats) {
            std::vector<QImage> pictures;
            for (const int threads : {1, 2}) {
                pool->setMaxThreadCount(threads);
                EndlessRenderer renderer(view);
                pictures.push_back(format.draw(renderer));
            }
            EXPECT_GT(DrawnPixels(pictures[0]), 500) << v.file << " " << format.name;
            // A deep window about the curve's start lies in one colour.
            if (!v.window) {
                EXPECT_GE(Colours(pictures[0]), format.colours) << v.file << " " << format.name;
            }
            EXPECT_EQ(pictures[0], pictures[1]) << v.file << " " << (v.window ? v.window : "") << " " << format.name;
        }
    }
    pool->setMaxThreadCount(QThread::idealThreadCount());
}

} // namespace
