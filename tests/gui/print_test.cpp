#include "tests/gui/window_fixture.h"

#include "output/print/page_print.h"
#include "tests/support/small_disk.h"
#include "view/fract_viewer.h"

#include <QAbstractButton>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>

#include <optional>

#include <stdexcept>

namespace {

const QRgb kPaper = qRgb(255, 255, 255);

bool Same(const Complex& a, const Complex& b)
{
    return a.Re == b.Re && a.Im == b.Im;
}

bool Near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The box of the pixels near a colour, and how many there are.
struct ColourArea {
    QRect Box;
    int Count = 0;
};

ColourArea AreaOf(const QImage& page, QRgb colour, int tolerance = 60)
{
    ColourArea area;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (Near(page.pixel(x, y), colour, tolerance)) {
                area.Box |= QRect(x, y, 1, 1);
                ++area.Count;
            }
    return area;
}

} // namespace

// Pages go to a PDF file behind the print dialog and are looked at as
// poppler renders them and through their drawing operators.
class Print : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        for (const char* tool : {"pdftoppm", "pdfinfo", "qpdf"})
            if (!ToolAvailable(QLatin1String(tool)))
                GTEST_SKIP() << tool << " is missing (poppler-utils, qpdf)";
        dialogs.printFile = Path(QStringLiteral("page.pdf"));
        // Wide enough that a one-pixel line of the page shows at 100 dpi.
        session->Viewer.PenWidth = 8;
    }

    void SetColours(ColorRef background, ColorRef curve)
    {
        session->Viewer.BgColor = background;
        session->Viewer.FgColor = curve;
        ptbFract()->repaint();
    }

    // Through the menu: answer is the button for the background question
    // (nothing when none is expected), print whether the dialog prints.
    void PrintWith(std::optional<QMessageBox::StandardButton> answer, bool print = true)
    {
        if (answer)
            dialogs.buttons.push_back(*answer);
        dialogs.printAnswers.push_back(print);
        Drucken1()->trigger();
    }

    // The page at dpi, or its upper rows only.
    QImage Page(int dpi, int rows = 0) const
    {
        const QString prefix = Path(QStringLiteral("page-%1").arg(dpi));
        QStringList arguments{QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-singlefile"),
                              QStringLiteral("-png")};
        if (rows > 0)
            arguments << QStringLiteral("-H") << QString::number(rows);
        const ToolResult r = RunTool(QStringLiteral("pdftoppm"), arguments << dialogs.printFile << prefix);
        EXPECT_EQ(r.ExitCode, 0) << r.Errors.toStdString();
        return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    }

    // The page's drawing, with its streams uncompressed.
    QByteArray Operators() const
    {
        const QString out = Path(QStringLiteral("page.qdf"));
        const ToolResult r = RunTool(QStringLiteral("qpdf"), {QStringLiteral("--qdf"),
                                                              QStringLiteral("--object-streams=disable"),
                                                              dialogs.printFile, out});
        EXPECT_EQ(r.ExitCode, 0) << r.Errors.toStdString();
        return ReadBytes(out);
    }

    // The printable area in pixels of a page rendered at dpi.
    static QRect PrintableArea(int dpi)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        return printer.pageLayout().paintRectPixels(dpi);
    }

    QStringList AskedQuestions()
    {
        QStringList asked;
        for (const auto& m : dialogs.messages)
            asked << m.caption + QStringLiteral(": ") + m.text;
        return asked;
    }

    bool Printed() const { return QFile::exists(dialogs.printFile); }
};

TEST_F(Print, OnWhiteNothingIsAskedTheJobIsNamedAndThePageFilledWhite)
{
    PrintWith(std::nullopt);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.printDialogsShown, 1);
    const ToolResult info = RunTool(QStringLiteral("pdfinfo"), {dialogs.printFile});
    EXPECT_TRUE(QString::fromUtf8(info.Output).contains(QRegularExpression(QStringLiteral("^Title: +Ornalix - Unbenannt$"),
                                                                           QRegularExpression::MultilineOption)))
        << info.Output.toStdString();
    EXPECT_GT(AreaOf(Page(100), qRgb(0, 0, 0)).Count, 200);
    // White on white shows nothing: the fill of the printable area is found
    // among the operators. A printer pixel is 72/600 pt, and the pen is as
    // wide as the view's in printer pixels.
    const QString operators = QString::fromLatin1(Operators());
    const QRect area = PrintableArea(kPrintResolution);
    EXPECT_TRUE(operators.contains(QRegularExpression(
        QStringLiteral("1 1 1 scn\\s+/GSa gs\\s+0 0 %1 %2 re\\s+f\\s").arg(area.width()).arg(area.height()))))
        << "no white fill";
    EXPECT_TRUE(operators.contains(QStringLiteral("0.120000000 0 0 -0.120000000 "))) << "not 600 dpi";
    EXPECT_TRUE(operators.contains(QStringLiteral("\n8 w "))) << "pen not in printer pixels";
}

TEST_F(Print, NoOnBlackPrintsAWhiteCurveBlackAndTheScreenKeepsItsColours)
{
    SetColours(kBlack, kWhite);
    const QImage before = FractPicture();
    PrintWith(QMessageBox::No);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(AskedQuestions(), QStringList(QStringLiteral("Bestätigung: Soll auch der Hintergrund gedruckt werden?")));
    EXPECT_EQ(dialogs.messages[0].offered, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const QImage page = Page(100);
    const ColourArea ink = AreaOf(page, qRgb(0, 0, 0));
    EXPECT_GT(ink.Count, 200);
    EXPECT_GT(AreaOf(page, kPaper).Count, page.width() * page.height() * 9 / 10);
    EXPECT_EQ(session->Viewer.BgColor, kBlack);
    EXPECT_EQ(session->Viewer.FgColor, kWhite);
    EXPECT_EQ(FractPicture(), before);
}

TEST_F(Print, NoOnBlackPrintsAYellowCurveYellowOnWhite)
{
    const ColorRef yellow = RgbColor(255, 255, 0);
    SetColours(kBlack, yellow);
    PrintWith(QMessageBox::No);
    const QImage page = Page(100);
    EXPECT_GT(AreaOf(page, qRgb(255, 255, 0)).Count, 200);
    EXPECT_EQ(AreaOf(page, qRgb(0, 0, 0), 30).Count, 0);
    EXPECT_EQ(session->Viewer.FgColor, yellow);
}

// The start curve is four times as wide as high: on a portrait page it
// spans the printable width and sits in the middle of its height.
TEST_F(Print, YesFillsThePrintableAreaAndAWideViewSpansItCentred)
{
    SetColours(RgbColor(0, 0, 255), RgbColor(255, 255, 0));
    PrintWith(QMessageBox::Yes);
    const int dpi = 100;
    const QImage page = Page(dpi);
    ASSERT_GT(page.height(), page.width());
    const QRect area = PrintableArea(dpi);
    const ColourArea fill = AreaOf(page, qRgb(0, 0, 255));
    EXPECT_LE((fill.Box.topLeft() - area.topLeft()).manhattanLength(), 2);
    EXPECT_LE((fill.Box.bottomRight() - area.bottomRight()).manhattanLength(), 3);
    const QRect curve = AreaOf(page, qRgb(255, 255, 0)).Box;
    EXPECT_GT(fill.Count + AreaOf(page, qRgb(255, 255, 0), 250).Count, area.width() * area.height() * 99 / 100);
    EXPECT_LE(std::abs(curve.left() - area.left()), 2);
    EXPECT_LE(std::abs(curve.right() - area.right()), 2);
    EXPECT_LE(std::abs(curve.center().y() - area.center().y()), 2);
    EXPECT_LT(curve.height(), area.width() / 3);
}

// At 600 dpi a page pixel is a printer pixel.
TEST_F(Print, PointsArePrintedAsDotsTenPrinterPixelsAcross)
{
    session->Viewer.PenWidth = 1;
    optPoints()->setChecked(true);
    PrintWith(std::nullopt);
    const QImage page = Page(kPrintResolution, PrintableArea(kPrintResolution).center().y());
    // The curve's peak is its one topmost point; its dot is found below the
    // first row with ink.
    int top = 0;
    while (top < page.height() && AreaOf(page.copy(0, top, page.width(), 1), kPaper, 5).Count == page.width())
        ++top;
    ASSERT_LT(top, page.height());
    const QRect dot = AreaOf(page.copy(0, top, page.width(), 30), qRgb(0, 0, 0), 250).Box;
    EXPECT_GE(dot.width(), 10);
    EXPECT_LE(dot.width(), 11);
    EXPECT_GE(dot.height(), 10);
    EXPECT_LE(dot.height(), 11);
}

TEST_F(Print, CancellingTheQuestionOrTheDialogChangesNothing)
{
    SetColours(kBlack, kWhite);
    const std::vector<Complex> points(session->Viewer.Points.begin(),
                                      session->Viewer.Points.begin() + session->Viewer.PointCount);
    dialogs.buttons.push_back(QMessageBox::Cancel);
    Drucken1()->trigger();
    EXPECT_EQ(dialogs.printDialogsShown, 0);
    PrintWith(QMessageBox::No, false);
    EXPECT_EQ(dialogs.printDialogsShown, 1);
    EXPECT_FALSE(Printed());
    EXPECT_EQ(session->Viewer.BgColor, kBlack);
    EXPECT_EQ(session->Viewer.FgColor, kWhite);
    for (int i = 0; i < session->Viewer.PointCount; ++i)
        ASSERT_TRUE(Same(session->Viewer.Points[i], points[i])) << i;
}

TEST_F(Print, AJobThatCannotStartWarnsAndLeavesEverythingAsItWas)
{
    SetColours(kBlack, kWhite);
    dialogs.printFile = Path(QStringLiteral("no such folder/page.pdf"));
    PrintWith(QMessageBox::No);
    EXPECT_EQ(TakeMessages().value(1),
              QStringLiteral("(!) Warnung: Der Druckauftrag konnte nicht gestartet werden."));
    EXPECT_EQ(session->Viewer.BgColor, kBlack);
    EXPECT_EQ(session->Viewer.FgColor, kWhite);
}

// Qt's PDF printer does not report failed writes, so nothing can be said;
// but the job ends and the view is as it was.
TEST_F(Print, ToAFullDiskEndsTheJobAndLeavesEverythingAsItWas)
{
    SmallDisk disk;
    ORNALIX_NEED_SMALL_DISK(disk);
    disk.Fill();
    SetColours(kBlack, kWhite);
    tbDepth()->setValue(6);
    dialogs.printFile = disk.Path(QStringLiteral("page.pdf"));
    PrintWith(QMessageBox::No);
    EXPECT_EQ(session->Viewer.BgColor, kBlack);
    EXPECT_EQ(session->Viewer.FgColor, kWhite);
    ptbFract()->repaint();
    EXPECT_EQ(FractPicture().pixel(0, 0), qRgb(0, 0, 0));
}

// After the page the view is in the pane's own coordinates again, so a
// rubber band drawn next zooms where it is drawn.
TEST_F(Print, ThePaneKeepsItsCoordinatesAfterPrinting)
{
    tbDepth()->setValue(3);
    const FractViewer& v = session->Viewer;
    const std::vector<Complex> points(v.Points.begin(), v.Points.begin() + v.PointCount);
    const Complex windowMin = *v.WindowMin, windowMax = *v.WindowMax;
    const PixelRect target = v.TargetRect;
    PrintWith(std::nullopt);
    ASSERT_TRUE(Printed());
    for (int i = 0; i < v.PointCount; ++i)
        ASSERT_TRUE(Same(v.Points[i], points[i])) << i;
    EXPECT_TRUE(Same(*v.WindowMin, windowMin) && Same(*v.WindowMax, windowMax));
    EXPECT_EQ(v.TargetRect, target);
}

// The real box, answered once it shows: the button texts it offered, and
// what it returned.
std::pair<QStringList, QMessageBox::StandardButton> AskTheRealBox(const std::function<void(QMessageBox&)>& answer)
{
    Dialogs real;
    QStringList offered;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        for (const QAbstractButton* button : box->buttons())
            offered << button->text();
        answer(*box);
    });
    poll.start(10);
    const auto returned = real.Message(nullptr, QMessageBox::Question, QStringLiteral("Bestätigung"),
                                       QStringLiteral("Soll auch der Hintergrund gedruckt werden?"),
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    offered.sort();
    return {offered, returned};
}

TEST(BackgroundQuestion, OffersJaNeinAbbrechenAndEscOrTheCloseBoxCancel)
{
    const auto [offered, escaped] = AskTheRealBox([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(offered, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein"), QStringLiteral("Abbrechen")}));
    EXPECT_EQ(escaped, QMessageBox::Cancel);
    EXPECT_EQ(AskTheRealBox([](QMessageBox& box) { box.close(); }).second, QMessageBox::Cancel);
}
