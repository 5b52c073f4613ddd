#include "tests/gui/window_fixture.h"

#include "app/tinfo_dlg.h"
#include "tests/support/picture_compare.h"

#include <QMenu>
#include <QMenuBar>
#include <QSplitter>

#include <algorithm>

namespace {

using MainWindow = WindowTest;

TEST_F(MainWindow, FirstStartShowsTheStartGeneratorBlackOnWhite)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ornalix"));
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("1"));
    EXPECT_TRUE(optLines()->isChecked());
    EXPECT_FALSE(chkPause()->isChecked());
    EXPECT_TRUE(chkPause()->isEnabled());

    const QImage fract = FractPicture();
    EXPECT_EQ(fract.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_GT(PixelsOf(fract, qRgb(0, 0, 0)), fract.width()) << "the curve spans the pane";
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
// shortcut in order; a disabled item in parentheses.
TEST_F(MainWindow, MenuCaptionsAndShortcuts)
{
    const QStringList expected{
        "&Datei: &Neu Ctrl+N | &Öffnen... Ctrl+O | &Speichern unter... Ctrl+S | (Zuletzt geöffnet) | &Beispiele | - | "
        "&Drucken... Ctrl+P | &Exportieren... | - | &Beenden",
        "&Fraktal: (&Rückgängig Ctrl+Z) | (&Wiederherstellen Ctrl+Y; Ctrl+Shift+Z) | - | &Kopieren Ctrl+C | "
        "Generator &kopieren Ctrl+Shift+C | Generator &einfügen Ctrl+V | - | "
        "Kante &hinzufügen Ins | Kante &löschen Del | - | &Volle Ansicht | &Endloser Zoom",
        "&Einstellungen: &Optionen... | &Farben... | &Kantenglättung",
        "&?: &Info..."};
    QStringList shown;
    for (const QAction* menu : window->menuBar()->actions()) {
        QStringList items;
        for (const QAction* item : menu->menu()->actions()) {
            const QString keys = QKeySequence::listToString(item->shortcuts());
            const QString caption = keys.isEmpty() ? item->text() : item->text() + ' ' + keys;
            items << (item->isSeparator() ? QStringLiteral("-") : item->isEnabled() ? caption : '(' + caption + ')');
            EXPECT_EQ(item->shortcutContext(), Qt::WindowShortcut) << "active anywhere in the window";
        }
        shown << menu->text() + QStringLiteral(": ") + items.join(QStringLiteral(" | "));
    }
    EXPECT_EQ(shown, expected) << qPrintable(shown.join(QLatin1Char('\n')));
}

TEST_F(MainWindow, DepthSliderRedrawsAtTheNewDepth)
{
    tbDepth()->setFocus();
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(tbDepth(), Qt::Key_Right);
    EXPECT_EQ(tbDepth()->value(), 8);
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("8"));
    EXPECT_EQ(session->Depth(), 8);
    QTest::keyClick(tbDepth(), Qt::Key_Right);
    EXPECT_EQ(tbDepth()->value(), 8) << "8 is the deepest";
}

TEST_F(MainWindow, PointsAndLinesRedrawThePane)
{
    tbDepth()->setValue(3);
    const QImage lines = FractPicture();
    QTest::mouseClick(optPoints(), Qt::LeftButton);
    EXPECT_FALSE(session->Lines());
    EXPECT_LT(PixelsOf(FractPicture(), qRgb(0, 0, 0)), PixelsOf(lines, qRgb(0, 0, 0)));
    QTest::mouseClick(optLines(), Qt::LeftButton);
    EXPECT_EQ(FractPicture(), lines);
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

// During a zoom the animation boxes rest; Pause is checked whenever nothing
// moves, without running its handler (which would pause).
TEST_F(MainWindow, TheModeDecidesTheBoxes)
{
    struct Row {
        InteractionMode mode;
        bool enabled, pause;
    };
    const Row rows[] = {{modeAnimating, true, false}, {modeRubberBand, true, true}, {modeZooming, false, true},
                        {modePaused, true, true},     {modeDragging, true, true},   {modeIdle, true, true}};
    session->SetPaused(false);
    for (const Row& row : rows) {
        session->SetMode(row.mode);
        EXPECT_EQ(session->Mode(), row.mode);
        for (const QCheckBox* box : {chkAnimLen(), chkAnimAng(), chkPause()})
            EXPECT_EQ(box->isEnabled(), row.enabled) << row.mode << " " << box->objectName().toStdString();
        EXPECT_EQ(chkPause()->isChecked(), row.pause) << row.mode;
    }
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
