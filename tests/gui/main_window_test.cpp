#include "tests/gui/window_fixture.h"

#include "app/tinfo_dlg.h"

#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSplitter>

#include <algorithm>

namespace {

int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

using MainWindow = WindowTest;

TEST_F(MainWindow, FirstStartShowsTheStartGeneratorBlackOnWhite)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix"));
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_FALSE(session->Timer().isActive());
    EXPECT_EQ(session->Generator.Count, 4);
    EXPECT_EQ(session->Viewer.PointCount, 5);
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("1"));
    EXPECT_TRUE(optLines()->isChecked());
    EXPECT_FALSE(chkPause()->isChecked());
    EXPECT_TRUE(chkPause()->isEnabled());

    const QImage fract = FractPicture();
    EXPECT_EQ(fract.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_GT(CountColour(fract, qRgb(0, 0, 0)), fract.width()) << "the curve spans the pane";
    // The curve is centred vertically: its base line lies half its height
    // (0.8 of the scale) below the middle.
    // The fit as a paint of the pane at its final size makes it.
    ptbFract()->repaint();
    const double scale = fract.width() / 3.2;
    EXPECT_NEAR(session->Viewer.Points[0].Im, fract.height() / 2.0 + 0.4 * scale, 1e-6);

    const QImage editor = EditorPicture();
    EXPECT_EQ(editor.pixel(1, 1), window->palette().color(QPalette::Button).rgb());
    EXPECT_EQ(editor.pixel(Node(2).x(), Node(2).y() - 2), qRgb(255, 255, 255)) << "inside a node circle";
}

// The whole menu bar as the user reads it: every menu, item, separator and
// shortcut in order.
TEST_F(MainWindow, MenuCaptionsAndShortcuts)
{
    const QStringList expected{
        "&Datei: &Neu Ctrl+N | &Öffnen... Ctrl+O | &Speichern unter... Ctrl+S | - | &Drucken... Ctrl+P | "
        "&Exportieren... | - | &Beenden",
        "&Fraktal: &Kopieren Ctrl+C | - | Kante &hinzufügen Ins | Kante &löschen Del | - | &Volle Ansicht | "
        "&Endloser Zoom",
        "&Einstellungen: &Optionen...",
        "&?: &Info..."};
    QStringList shown;
    for (const QAction* menu : window->menuBar()->actions()) {
        QStringList items;
        for (const QAction* item : menu->menu()->actions()) {
            EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
            const QString key = item->shortcut().toString();
            items << (item->isSeparator() ? QStringLiteral("-") : key.isEmpty() ? item->text() : item->text() + ' ' + key);
            EXPECT_EQ(item->shortcutContext(), Qt::WindowShortcut) << "active anywhere in the window";
        }
        shown << menu->text() + QStringLiteral(": ") + items.join(QStringLiteral(" | "));
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(MainWindow, DepthSliderRedrawsAtTheNewDepth)
{
    tbDepth()->setFocus();
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(tbDepth(), Qt::Key_Right);
    EXPECT_EQ(tbDepth()->value(), 8);
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("8"));
    EXPECT_EQ(session->Viewer.Depth, 8);
    EXPECT_EQ(session->Viewer.PointCount, 16383);
    QTest::keyClick(tbDepth(), Qt::Key_Right);
    EXPECT_EQ(tbDepth()->value(), 8) << "8 is the deepest";
}

TEST_F(MainWindow, PointsAndLinesRedrawWithoutRecalculating)
{
    tbDepth()->setValue(3);
    const QImage lines = FractPicture();
    QTest::mouseClick(optPoints(), Qt::LeftButton);
    ASSERT_TRUE(optPoints()->isChecked());
    const QImage points = FractPicture();
    EXPECT_LT(CountColour(points, qRgb(0, 0, 0)), CountColour(lines, qRgb(0, 0, 0)));
    QSet<QPoint> pixels;
    for (int i = 0; i < session->Viewer.PointCount; ++i) {
        const QPoint p(static_cast<int>(session->Viewer.Points[i].Re), static_cast<int>(session->Viewer.Points[i].Im));
        if (points.rect().contains(p))
            pixels.insert(p);
    }
    EXPECT_EQ(CountColour(points, qRgb(0, 0, 0)), pixels.size()) << "one pixel per point";
    EXPECT_GE(pixels.size(), 63);
}

TEST_F(MainWindow, ResizeRefitsTheEditorWithItsMargin)
{
    window->resize(900, 700);
    QTest::qWait(20);
    const QRect client = ptbEditor()->rect();
    const FractEditor& editor = session->Editor;
    EXPECT_EQ(editor.TargetRect, (PixelRect{0, 0, client.width(), client.height()}));
    EXPECT_NEAR(editor.Points[0].Re, 5, 1e-9) << "the generator is wider than high";
    EXPECT_NEAR(editor.Points[4].Re, client.width() - 5, 1e-9);
}

TEST_F(MainWindow, SplitterCollapsesTheEditorPanelBelowThirtyPixels)
{
    QSplitter* splitter = Splitter1();
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip - QPoint(100, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(100, 0));
    EXPECT_NEAR(splitter->sizes().value(0), 109, 2);
    EXPECT_EQ(session->Editor.TargetRect.Right, ptbEditor()->width());

    const QPoint grip2 = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip2);
    QTest::mouseMove(handle, grip2 - QPoint(85, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip2 - QPoint(85, 0));
    EXPECT_EQ(splitter->sizes().value(0), 0);
}

TEST_F(MainWindow, TheModeDecidesTimerAndBoxes)
{
    struct Row {
        InteractionMode mode;
        bool timer, enabled, pause;
    };
    const Row rows[] = {{modeRubberBand, false, true, true}, {modeZooming, true, false, true},
                        {modePaused, false, true, true},     {modeDragging, false, true, true},
                        {modeIdle, false, true, true}};
    for (const Row& row : rows) {
        session->SetMode(row.mode);
        EXPECT_EQ(session->Mode(), row.mode);
        EXPECT_EQ(session->Timer().isActive(), row.timer) << row.mode;
        EXPECT_EQ(chkAnimLen()->isEnabled(), row.enabled) << row.mode;
        EXPECT_EQ(chkPause()->isChecked(), row.pause) << row.mode;
    }
    // "Pause" is checked now: an animation must wait for the user.
    session->SetMode(modeAnimating);
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_FALSE(session->Timer().isActive());
}

TEST_F(MainWindow, SetModeChecksPauseWithoutRunningItsHandler)
{
    session->SetMode(modeRubberBand);
    EXPECT_TRUE(chkPause()->isChecked());
    EXPECT_EQ(session->Mode(), modeRubberBand) << "a click on Pause would have asked for modePaused";
}

TEST_F(MainWindow, AboutBoxShowsPictureAndVersion)
{
    bool shown = false;
    dialogs.dialogScripts.push_back([&](QDialog& dialog) {
        shown = dialog.isVisible();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ornalix - Info"));
        const QStringList texts = [&] {
            QStringList t;
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                t << label->text();
            return t;
        }();
        EXPECT_TRUE(texts.contains(QStringLiteral("Ornalix")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Version 2.0")));
        const auto pictures = dialog.findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(pictures.begin(), pictures.end(),
                                [](const QLabel* label) { return !label->pixmap().isNull(); }));
        return int(QDialog::Rejected);
    });
    Info1()->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindow, BeendenClosesWithoutAQuestion)
{
    Beenden1()->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
