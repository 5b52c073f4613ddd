#include "tests/gui/window_fixture.h"

#include "output/clipboard/clipboard_picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

namespace {

class Clipboard : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        tbDepth()->setValue(3);
        QGuiApplication::clipboard()->clear();
    }

    QByteArray Copied(const QString& type) const { return QGuiApplication::clipboard()->mimeData()->data(type); }
    QImage CopiedPng() const { return QImage::fromData(Copied(ClipboardTypes::kPng), "PNG"); }

    // What the pane shows of the view in its current coordinates, without
    // the fit a paint would make.
    QImage PanePicture()
    {
        QImage pane(ptbFract()->size(), QImage::Format_RGB32);
        QPainter painter(&pane);
        session->Picture(ViewPlacement::AsShownIn(session->FractPane()))->Draw(painter);
        return pane;
    }
};

} // namespace

// The types and what each holds are tested on the clipboard picture
// (output tests); here: that Ctrl+C copies the pane's picture.
TEST_F(Clipboard, CtrlCCopiesThePanesPicture)
{
    session->Viewer.BgColor = RgbColor(0, 0, 128);
    session->Viewer.FgColor = RgbColor(255, 255, 0);
    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->formats().size(), 4);
    EXPECT_EQ(CopiedPng().convertToFormat(QImage::Format_RGB32), PanePicture());
}

TEST_F(Clipboard, DuringAnAnimatedZoomTheCurrentStepIsCopied)
{
    const QImage fullView = FractPicture();
    QTest::mousePress(ptbFract(), Qt::LeftButton, {}, {60, 40});
    QTest::mouseMove(ptbFract(), {180, 120});
    QTest::mouseRelease(ptbFract(), Qt::LeftButton, {}, {180, 120});
    ASSERT_EQ(session->Mode(), modeZooming);
    for (int i = 0; i < 20; ++i)
        session->Tick();
    Kopieren1()->trigger();
    const QImage copied = CopiedPng().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(copied, fullView.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(copied, PanePicture());
}

// What the generator's text holds and how a paste reads it is tested on the
// session; here: that the two commands reach it through the clipboard and a
// refused text is reported.
TEST_F(Clipboard, TheGeneratorGoesToTheClipboardAndComesBack)
{
    Named<QAction>(*window, "Generatorkopieren1")->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(copied->hasText());
    EXPECT_EQ(copied->data(QStringLiteral("application/x-ornalix-fract")), copied->text().toLatin1());
    const int edges = session->Generator.Count;
    Trigger(Kantehinzufgen1());
    tbDepth()->setValue(1);

    Named<QAction>(*window, "Generatoreinfgen1")->trigger();
    EXPECT_EQ(session->Generator.Count, edges);
    EXPECT_EQ(tbDepth()->value(), 3);
    EXPECT_TRUE(TakeMessages().isEmpty());

    QGuiApplication::clipboard()->setText(QStringLiteral("Kochkurve"));
    Named<QAction>(*window, "Generatoreinfgen1")->trigger();
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Fehlerhaftes Dateiformat")});
    EXPECT_EQ(session->Generator.Count, edges);
}
