#include "tests/session/session_fixture.h"
#include "tests/support/picture_compare.h"
#include "tests/support/setting_fields.h"

#include <QPainter>

namespace {

using Session = SessionTest;

TEST_F(Session, StartsWithTheStartGeneratorAtDepthOneIdleWithTheDefaults)
{
    EXPECT_EQ(session.Mode(), modeIdle);
    EXPECT_FALSE(session.Timer().isActive());
    EXPECT_EQ(session.Timer().timerType(), Qt::PreciseTimer);
    EXPECT_EQ(session.Depth(), 1);
    EXPECT_TRUE(session.Lines());
    EXPECT_EQ(Edges(), (EdgeList{{1, 0}, {0.6, -0.8}, {-0.28, 0.96}, {0.6, -0.8}}));
    EXPECT_EQ(session.Viewer.PointCount, 5);
    EXPECT_EQ(session.Settings(), SettingValues());
}

// Every value reaches the view, editor or timer that uses it, and all come
// back as they went in.
TEST_F(Session, SettingsApplyToTheirPartsAndComeBack)
{
    const SettingValues v{RgbColor(0, 0, 128), RgbColor(255, 255, 0), 3, 20, 40, false, 8, 2, 6, 9, 0.75, 1.5,
                          640, 480, true};
    session.ApplySettings(v);
    EXPECT_EQ(session.Viewer.BgColor, v.BgColor);
    EXPECT_EQ(session.Viewer.FgColor, v.FgColor);
    EXPECT_EQ(session.Viewer.PenWidth, 3);
    EXPECT_EQ(session.Timer().interval(), 40);
    EXPECT_EQ(session.Editor.AngRaster, 8);
    EXPECT_EQ(session.Editor.LenRaster, 2);
    EXPECT_EQ(session.Settings(), v);
}

TEST_F(Session, ARunningTimerTakesANewIntervalAtOnce)
{
    session.AnimateAngles(true);
    SettingValues v = session.Settings();
    v.ZoomDelay = 40;
    session.ApplySettings(v);
    EXPECT_EQ(session.Timer().interval(), 40);
    EXPECT_TRUE(session.Timer().isActive());
    EXPECT_EQ(session.Mode(), modeAnimating);
}

// Only zooming and animating run the timer; every other mode counts as a
// pause, and an animation waits while one is on.
TEST_F(Session, TheModeDecidesTimerAndPause)
{
    const struct {
        InteractionMode mode;
        bool timer;
    } rows[] = {{modeAnimating, true}, {modeRubberBand, false}, {modeZooming, true},
                {modePaused, false},   {modeDragging, false},   {modeIdle, false}};
    int changes = 0;
    QObject::connect(&session, &FractalSession::modeChanged, [&] { ++changes; });
    session.SetPaused(false);
    ASSERT_EQ(changes, 1);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mode);
        session.SetMode(row.mode);
        session.SetMode(row.mode);
        EXPECT_EQ(session.Mode(), row.mode);
        EXPECT_EQ(session.Timer().isActive(), row.timer);
        EXPECT_EQ(session.Paused(), row.mode != modeAnimating);
    }
    EXPECT_EQ(changes, 6) << "once per change";
    session.SetMode(modeAnimating);
    EXPECT_EQ(session.Mode(), modeIdle) << "paused: the animation waits";
}

// The share of the black pixels that fill whole 2 × 2 blocks at even places:
// all of them in a picture drawn at a ratio of one and then doubled.
double DoubledShare(const QImage& picture)
{
    int black = 0, doubled = 0;
    for (int y = 0; y + 1 < picture.height(); y += 2)
        for (int x = 0; x + 1 < picture.width(); x += 2) {
            int n = 0;
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                n += picture.pixel(QPoint(x, y) + d) == qRgb(0, 0, 0);
            black += n;
            doubled += n == 4 ? n : 0;
        }
    return black > 0 ? static_cast<double>(doubled) / black : 1.0;
}

// On a screen of two device pixels to a pane pixel, both panes draw the
// same picture into their device pixels, with lines one of them wide.
TEST_F(Session, BothPanesDrawLinesOneDevicePixelWideAtAPixelRatioOfTwo)
{
    session.SetDepth(3);
    const struct {
        const char* Pane;
        QSize Size;
        bool Endless;
        bool Editor;
    } rows[] = {{"polyline", {470, 420}, false, false},
                {"endless", {470, 420}, true, false},
                {"editor", {205, 420}, false, true}};
    for (const auto& row : rows) {
        session.SetEndlessZoom(row.Endless);
        QImage pictures[2];
        for (int ratio : {1, 2}) {
            pictures[ratio - 1] = QImage(row.Size * ratio, QImage::Format_RGB32);
            QPainter painter(&pictures[ratio - 1]);
            row.Editor ? session.PaintEditor(painter, ratio) : session.PaintFract(painter, ratio);
        }
        const QRect one = DarkBox(pictures[0]), two = DarkBox(pictures[1]);
        EXPECT_LE((two.topLeft() - one.topLeft() * 2).manhattanLength(), 2) << row.Pane;
        EXPECT_LE((two.bottomRight() - one.bottomRight() * 2).manhattanLength(), 3) << row.Pane;
        EXPECT_LT(DoubledShare(pictures[1]), 0.15) << row.Pane;
    }
}

} // namespace
