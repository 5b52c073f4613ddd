#include "tests/gui/window_fixture.h"
#include "tests/support/picture_compare.h"

#include <QStatusBar>

#include <algorithm>

namespace {

class EndlessZoom : public WindowTest {
protected:
    QAction* EndloserZoom1() const { return Named<QAction>(*window, "EndloserZoom1"); }

    // The status line as the user reads it, empty when none shows.
    QString StatusLine() const
    {
        const auto* line = window->findChild<QLabel*>(QStringLiteral("lblEndless"));
        return line && line->isVisible() ? line->text() : QString();
    }

    static QList<QPoint> CurvePixels(const QImage& picture)
    {
        QList<QPoint> pixels;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) == qRgb(0, 0, 0))
                    pixels << QPoint(x, y);
        return pixels;
    }

    // A band a third of the pane about the curve's pixel nearest the middle.
    void ZoomIntoTheMiddle()
    {
        const QImage picture = FractPicture();
        const QPoint middle = picture.rect().center();
        const QList<QPoint> curve = CurvePixels(picture);
        ASSERT_FALSE(curve.isEmpty());
        const QPoint at = *std::min_element(curve.begin(), curve.end(), [&](QPoint a, QPoint b) {
            return (a - middle).manhattanLength() < (b - middle).manhattanLength();
        });
        const QPoint half(picture.width() / 6, picture.height() / 6);
        QTest::mousePress(ptbFract(), Qt::LeftButton, {}, at - half);
        QTest::mouseMove(ptbFract(), at);
        QTest::mouseMove(ptbFract(), at + half);
        QTest::mouseRelease(ptbFract(), Qt::LeftButton, {}, at + half);
    }
};

TEST_F(EndlessZoom, TheSwitchPersistsShowsTheMagnificationAndKeepsDetailThroughTwentyZooms)
{
    EXPECT_FALSE(EndloserZoom1()->isChecked());
    EXPECT_EQ(window->findChild<QStatusBar*>(), nullptr) << "off, the window is as it always was";
    session->ZoomAnimation = false;
    window->OpenFile(QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"));
    Trigger(EndloserZoom1());
    ASSERT_TRUE(session->EndlessShown());
    EXPECT_FALSE(tbDepth()->isEnabled()) << "detail follows the pixels";
    EXPECT_EQ(StatusLine(), QStringLiteral("Vergrößerung ×1,00"));
    const int pane = std::max(ptbFract()->width(), ptbFract()->height());
    for (int zoom = 1; zoom <= 20; ++zoom) {
        ZoomIntoTheMiddle();
        EXPECT_GT(PixelsOf(FractPicture(), qRgb(0, 0, 0)), 2 * pane) << "detail after zoom " << zoom;
    }
    EXPECT_GT(session->EndlessMagnification().ToDouble(), 1e8);
    EXPECT_TRUE(StatusLine().startsWith(QStringLiteral("Vergrößerung ×"))) << qPrintable(StatusLine());
    EXPECT_TRUE(StatusLine().contains(QStringLiteral(" · 10"))) << qPrintable(StatusLine());

    ReopenWindow();
    EXPECT_TRUE(EndloserZoom1()->isChecked()) << "persisted";
    EXPECT_TRUE(session->EndlessShown());
    // Turning the last edge leaves no limit curve: the polyline view, and why.
    const QPoint last = Node(session->Generator.Count);
    QTest::mousePress(ptbEditor(), Qt::LeftButton, {}, last);
    QTest::mouseMove(ptbEditor(), last + QPoint(0, 20));
    QTest::mouseRelease(ptbEditor(), Qt::LeftButton, {}, last + QPoint(0, 20));
    EXPECT_EQ(StatusLine(), QStringLiteral("Endloser Zoom nur mit letzter Kante (1; 0) – „Neu“ zieht einen passenden Generator"));
    EXPECT_TRUE(tbDepth()->isEnabled());

    Trigger(EndloserZoom1());
    EXPECT_EQ(StatusLine(), QString());
    ReopenWindow();
    EXPECT_FALSE(EndloserZoom1()->isChecked());
    QFile settings(SettingsFile());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_FALSE(settings.readAll().contains("endlessZoom")) << "off, the store holds what it always held";
}

} // namespace
