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

// How each answer colours the paper is tested on PaperStyle (output
// tests); here: the question, that its answer reaches the page, and the
// page's layout. The wide start curve spans the printable width in the
// middle of its height on a portrait page; the screen keeps its colours and
// the view its coordinates, so that a rubber band drawn next zooms where it
// is drawn.
TEST_F(Print, TheAnswerDecidesTheBackgroundAndTheViewSpansThePrintableArea)
{
    SetColours(RgbColor(0, 0, 255), kWhite);
    const QImage before = FractPicture();
    const FractViewer& v = session->Viewer;
    const std::vector<Complex> points(v.Points.begin(), v.Points.begin() + v.PointCount);
    const int dpi = 100;
    const QRect area = PrintableArea(dpi);
    const struct {
        QMessageBox::StandardButton answer;
        QRgb paper, ink;
    } rows[] = {{QMessageBox::No, kPaper, qRgb(0, 0, 0)}, {QMessageBox::Yes, qRgb(0, 0, 255), kPaper}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        PrintWith(row.answer);
        EXPECT_EQ(AskedQuestions(), QStringList(QStringLiteral("Bestätigung: Soll auch der Hintergrund gedruckt werden?")));
        EXPECT_EQ(dialogs.messages[0].offered, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        dialogs.messages.clear();
        const QImage page = Page(dpi).copy(area);
        ASSERT_GT(page.height(), page.width());
        EXPECT_GT(AreaOf(page, row.paper).Count, page.width() * page.height() * 9 / 10);
        const QRect curve = AreaOf(page, row.ink).Box;
        EXPECT_LE(curve.left(), 2);
        EXPECT_GE(curve.right(), page.width() - 3);
        EXPECT_LE(std::abs(curve.center().y() - page.height() / 2), 2);
        EXPECT_LT(curve.height(), page.width() / 3);
        EXPECT_EQ(session->Viewer.BgColor, RgbColor(0, 0, 255));
        EXPECT_EQ(session->Viewer.FgColor, kWhite);
        EXPECT_EQ(FractPicture(), before);
        for (int i = 0; i < v.PointCount; ++i)
            ASSERT_TRUE(Same(v.Points[i], points[i])) << "the view stays in the pane's coordinates: " << i;
    }
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

// Qt's PDF printer does not report failed writes; the page goes to a work
// file first, and its copy into place says what failed. The old page stays,
// and the view is as it was.
TEST_F(Print, ToAFullDiskWarnsWithTheReasonAndLeavesEverythingAsItWas)
{
    SmallDisk disk;
    ORNALIX_NEED_SMALL_DISK(disk);
    disk.Write(QStringLiteral("page.pdf"), "old");
    disk.Fill();
    SetColours(kBlack, kWhite);
    tbDepth()->setValue(6);
    dialogs.printFile = disk.Path(QStringLiteral("page.pdf"));
    PrintWith(QMessageBox::No);
    EXPECT_EQ(TakeMessages().value(1), QStringLiteral("(!) Warnung: Die Datei kann nicht geschrieben werden: ")
                                           + dialogs.printFile + QStringLiteral(": No space left on device"));
    EXPECT_EQ(disk.Read(QStringLiteral("page.pdf")), "old");
    EXPECT_EQ(disk.Files(), (QStringList{"filler", "page.pdf"}));
    EXPECT_EQ(session->Viewer.BgColor, kBlack);
    EXPECT_EQ(session->Viewer.FgColor, kWhite);
    ptbFract()->repaint();
    EXPECT_EQ(FractPicture().pixel(0, 0), qRgb(0, 0, 0));
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
