#include "tests/gui/window_fixture.h"

#include "output/clipboard/clipboard_picture.h"
#include "tests/support/metafile_reader.h"
#include "tests/support/picture_compare.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QScopedValueRollback>

namespace {

// The box of the pixels darker than mid grey.
int RecordsOf(const QByteArray& emf, std::uint32_t type)
{
    int count = 0;
    for (const EmfRecord& r : EmfRecords(emf))
        count += r.Type == type;
    return count;
}

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
    int PointCount() const { return session->Viewer.PointCount; }

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

TEST_F(Clipboard, CtrlCOffersThePictureInFourTypes)
{
    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    const QStringList offered = QGuiApplication::clipboard()->mimeData()->formats();
    for (const QString& type :
         {ClipboardTypes::kEmf, ClipboardTypes::kOfficeEmf, ClipboardTypes::kSvg, ClipboardTypes::kPng})
        EXPECT_TRUE(offered.contains(type)) << type.toStdString();
    EXPECT_EQ(Copied(ClipboardTypes::kEmf), Copied(ClipboardTypes::kOfficeEmf));
}

TEST_F(Clipboard, PngIsThePanesPicture)
{
    session->Viewer.BgColor = RgbColor(0, 0, 128);
    session->Viewer.FgColor = RgbColor(255, 255, 0);
    Kopieren1()->trigger();
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

TEST_F(Clipboard, EmfHasThePanesSizeAndDrawsTheCurveAsOnePolyline)
{
    Kopieren1()->trigger();
    const QByteArray emf = Copied(ClipboardTypes::kEmf);
    const QSize pane = ptbFract()->size();
    EXPECT_EQ(I32s(emf, 8, 4), (std::vector<int>{0, 0, pane.width() - 1, pane.height() - 1}));
    EXPECT_EQ(RecordsOf(emf, kEmrPolyline16) + RecordsOf(emf, kEmrPolyline), 1);
    EXPECT_EQ(RecordsOf(emf, kEmrSetPixelV), 0);
}

TEST_F(Clipboard, InPointsModeTheEmfHoldsOnePixelPerPoint)
{
    optPoints()->setChecked(true);
    Kopieren1()->trigger();
    const QByteArray emf = Copied(ClipboardTypes::kEmf);
    EXPECT_EQ(RecordsOf(emf, kEmrSetPixelV), PointCount());
    EXPECT_EQ(RecordsOf(emf, kEmrPolyline16) + RecordsOf(emf, kEmrPolyline), 0);
}

TEST_F(Clipboard, SvgDrawsLinesAsOnePolylineAndPointsAsPixelRectangles)
{
    Kopieren1()->trigger();
    const QString lines = QString::fromUtf8(Copied(ClipboardTypes::kSvg));
    const QSize pane = ptbFract()->size();
    EXPECT_TRUE(lines.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(pane.width()).arg(pane.height())));
    EXPECT_EQ(lines.count(QStringLiteral("<polyline")), 1);
    const auto polyline = QRegularExpression(QStringLiteral("<polyline[^>]* points=\"([^\"]*)\"")).match(lines);
    ASSERT_TRUE(polyline.hasMatch());
    EXPECT_EQ(polyline.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts).size(), PointCount());

    optPoints()->setChecked(true);
    Kopieren1()->trigger();
    const QString points = QString::fromUtf8(Copied(ClipboardTypes::kSvg));
    EXPECT_EQ(points.count(QStringLiteral("<polyline")), 0);
    // One more for the background.
    EXPECT_EQ(points.count(QStringLiteral("<rect")), PointCount() + 1);
}

// Read back by a renderer we did not write, the SVG shows what the pane shows.
TEST_F(Clipboard, SvgRendersAsThePanesPicture)
{
    if (!ToolAvailable(QStringLiteral("rsvg-convert")))
        GTEST_SKIP() << "rsvg-convert is missing (librsvg2-bin)";
    session->Viewer.PenWidth = 2;
    Kopieren1()->trigger();
    const QString svg = WriteFile(QStringLiteral("pane.svg"), Copied(ClipboardTypes::kSvg));
    const QString png = Path(QStringLiteral("pane.png"));
    const ToolResult r = RunTool(QStringLiteral("rsvg-convert"), {QStringLiteral("-b"), QStringLiteral("white"),
                                                                   QStringLiteral("-o"), png, svg});
    ASSERT_EQ(r.ExitCode, 0) << r.Errors.toStdString();
    const QImage rendered(png);
    // The reader rounds the size in millimetres up to whole pixels.
    const QSize pane = ptbFract()->size();
    EXPECT_LE(std::abs(rendered.width() - pane.width()) + std::abs(rendered.height() - pane.height()), 2);
    const QRect expected = DarkBox(PanePicture()), seen = DarkBox(rendered);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_LE((seen.topLeft() - expected.topLeft()).manhattanLength(), 2);
    EXPECT_LE((seen.bottomRight() - expected.bottomRight()).manhattanLength(), 2);
}
