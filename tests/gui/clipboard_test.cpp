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
