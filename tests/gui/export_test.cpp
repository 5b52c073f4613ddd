#include "tests/gui/window_fixture.h"

#include "app/texport_dlg.h"
#include "app/trecord_dlg.h"
#include "tests/support/metafile_reader.h"
#include "tests/support/picture_compare.h"
#include "tests/support/unprivileged.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>

#include <cerrno>
#include <cstring>

namespace {

const QString kInvalidSize = QStringLiteral("(!) Warnung: Ungültige Breite bzw. Höhe");

class Export : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        tbDepth()->setValue(4);
    }

    QStringList FilesMade() const { return QDir(files.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

    // Through the menu: the size dialog gets the texts ("aktuelle Größe"
    // when width is null), then the file dialog the name (empty: cancel).
    void ExportAs(const QString& width, const QString& height, const QString& file)
    {
        dialogs.dialogScripts.push_back([width, height](QDialog& d) {
            auto& dlg = static_cast<TexportDlg&>(d);
            if (width.isNull()) {
                Named<QPushButton>(dlg, "cmdCurrentSize")->click();
                return QDialog::Accepted;
            }
            Named<QLineEdit>(dlg, "txtWidth")->setText(width);
            Named<QLineEdit>(dlg, "txtHeight")->setText(height);
            Named<QPushButton>(dlg, "cmdOk")->click();
            return QDialog::Accepted;
        });
        dialogs.files.push_back(file);
        Exportieren1()->trigger();
    }

    void ExportAs(int width, int height, const QString& file)
    {
        ExportAs(QString::number(width), QString::number(height), file);
    }

    // What the size dialog shows at its next showing; the dialog is then
    // cancelled.
    std::pair<QString, QString> NextShownSize()
    {
        std::pair<QString, QString> shown;
        dialogs.dialogScripts.push_back([&shown](QDialog& d) {
            auto& dlg = static_cast<TexportDlg&>(d);
            shown = {Named<QLineEdit>(dlg, "txtWidth")->text(), Named<QLineEdit>(dlg, "txtHeight")->text()};
            return QDialog::Rejected;
        });
        Exportieren1()->trigger();
        return shown;
    }

    void ZoomWithoutAnimation(QPoint from, QPoint to)
    {
        session->ZoomAnimation = false;
        QTest::mousePress(ptbFract(), Qt::LeftButton, {}, from);
        QTest::mouseMove(ptbFract(), (from + to) / 2);
        QTest::mouseMove(ptbFract(), to);
        QTest::mouseRelease(ptbFract(), Qt::LeftButton, {}, to);
        ASSERT_FALSE(session->Viewer.WindowIsBounds());
    }

    // Exports at the pane's size as BMP and compares it with the pane.
    void ExpectBmpEqualsThePane(const QString& name)
    {
        const QImage pane = FractPicture();
        ExportAs(QString(), QString(), Path(name));
        EXPECT_EQ(TakeMessages(), QStringList());
        const QImage picture(Path(name));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), ptbFract()->ClientRect().size());
        EXPECT_EQ(DifferentPixels(picture, pane), 0) << name.toStdString();
        EXPECT_EQ(session->ExportWidth, pane.width());
        EXPECT_EQ(session->ExportHeight, pane.height());
    }
};

// The picture is the pane's own ---------------------------------------------

TEST_F(Export, AtThePaneSizeTheBitmapIsThePanePixelForPixelInEveryView)
{
    session->Viewer.FgColor = RgbColor(200, 30, 40);
    session->Viewer.BgColor = RgbColor(10, 60, 120);
    session->Viewer.PenWidth = 3;
    tbDepth()->setValue(5);
    ASSERT_TRUE(optLines()->isChecked());
    ExpectBmpEqualsThePane(QStringLiteral("lines.bmp"));
    const QImage lines(Path(QStringLiteral("lines.bmp")));
    EXPECT_EQ(lines.pixel(0, 0), qRgb(10, 60, 120)) << "the corner shows the background";
    EXPECT_GT(PixelsOf(lines, qRgb(200, 30, 40)), 0);

    optPoints()->click();
    ExpectBmpEqualsThePane(QStringLiteral("points.bmp"));
    EXPECT_GT(DifferentPixels(QImage(Path(QStringLiteral("points.bmp"))), lines), 0);

    // A zoom in force is exported as the pane shows it, and stays.
    const QImage full = FractPicture();
    ZoomWithoutAnimation({60, 40}, {200, 150});
    ASSERT_GT(DifferentPixels(FractPicture(), full), 0);
    ExpectBmpEqualsThePane(QStringLiteral("zoomed-points.bmp"));
    EXPECT_FALSE(session->Viewer.WindowIsBounds());
}

// The view fitted anew to the size asked (signs and spaces around its
// numbers allowed), as every output's fit draws it.
TEST_F(Export, AtAnotherSizeThePictureIsTheViewFittedToIt)
{
    optPoints()->click();
    ExportAs(QStringLiteral("+1000"), QStringLiteral(" 700 "), Path(QStringLiteral("points.bmp")));
    EXPECT_EQ(TakeMessages(), QStringList());
    QImage expected(1000, 700, QImage::Format_RGB32);
    {
        QPainter painter(&expected);
        session->Picture(ViewPlacement::FittedTo({0, 0, 1000, 700}))->Draw(painter);
    }
    EXPECT_EQ(DifferentPixels(QImage(Path(QStringLiteral("points.bmp"))), expected), 0);
}

// What the export leaves as it was -------------------------------------------

TEST_F(Export, TheWindowKeepsItsDrawingAndThePaneItsPictureAndItsFullView)
{
    session->Viewer.FgColor = RgbColor(0, 128, 0);
    session->Viewer.PenWidth = 2;
    ptbFract()->repaint();
    const QImage full = FractPicture();
    ZoomWithoutAnimation({50, 50}, {220, 170});
    ptbFract()->repaint();
    const QImage before = FractPicture();
    const QImage editor = EditorPicture();
    const std::vector<Complex> points(session->Viewer.Points.begin(),
                                      session->Viewer.Points.begin() + session->Viewer.PointCount);
    // The view stays in the pane's coordinates; depth, point count, colours,
    // pen, display mode, generator and zoom all show in the pane's picture.
    for (const char* name : {"a.bmp", "a.jpg", "a.wmf", "a.emf"}) {
        SCOPED_TRACE(name);
        ExportAs(777, 333, Path(QString::fromLatin1(name)));
        EXPECT_TRUE(QFileInfo::exists(Path(QString::fromLatin1(name))));
        EXPECT_EQ(tbDepth()->value(), 4);
        EXPECT_EQ(session->Mode(), modeIdle);
        EXPECT_FALSE(session->Viewer.WindowIsBounds()) << "the zoom stays in force";
        for (std::size_t i = 0; i < points.size(); ++i)
            ASSERT_TRUE(session->Viewer.Points[i].Re == points[i].Re && session->Viewer.Points[i].Im == points[i].Im) << i;
        ptbFract()->repaint();
        EXPECT_EQ(DifferentPixels(FractPicture(), before), 0);
        EXPECT_EQ(EditorPicture(), editor);
    }
    EXPECT_EQ(TakeMessages(), QStringList());
    // Metafiles are made for the window's screen.
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(I32s(ReadBytes(Path(QStringLiteral("a.emf"))), 72, 2), (std::vector<int>{screen.width(), screen.height()}));
    // The full view afterwards is the full view of before.
    N1001()->trigger();
    EXPECT_TRUE(session->Viewer.WindowIsBounds());
    EXPECT_EQ(DifferentPixels(FractPicture(), full), 0);
}

// Names and sizes ----------------------------------------------------------

// A bare name takes the extension of the type chosen in the dialog; a typed
// extension decides the format whatever type is chosen.
TEST_F(Export, ABareNameTakesTheChosenTypeAndATypedExtensionDecides)
{
    auto& fileDialog = *window->findChild<QFileDialog*>(QStringLiteral("SavePictureDialog1"));
    const struct {
        const char *filter, *typed, *written;
        QByteArray start;
    } rows[] = {
        {"Bitmaps (*.bmp)", "a", "a.bmp", "BM"},
        {"Windows Metadatei (*.wmf)", "b", "b.wmf", "\xD7\xCD\xC6\x9A"},
        {"Erweiterte Metadateien (*.emf)", "c", "c.emf", QByteArray("\x01\0\0\0", 4)},
        {"JPEG-Grafikdatei (*.jpg)", "d", "d.jpg", "\xFF\xD8\xFF"},
        {"PNG-Grafik (*.png)", "e", "e.png", "\x89PNG"},
        {"SVG-Grafik (*.svg)", "f", "f.svg", "<?xml"},
        {"PDF-Dokument (*.pdf)", "g", "g.pdf", "%PDF"},
        {"PNG-Grafik (*.png)", "h.bmp", "h.bmp", "BM"},
        {"Bitmaps (*.bmp)", "i.PNG", "i.PNG", "\x89PNG"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        fileDialog.selectNameFilter(QLatin1String(row.filter));
        ASSERT_EQ(fileDialog.selectedNameFilter(), QLatin1String(row.filter));
        ExportAs(40, 30, Path(QLatin1String(row.typed)));
        EXPECT_TRUE(ReadBytes(Path(QLatin1String(row.written))).startsWith(row.start));
    }
    EXPECT_EQ(TakeMessages(), QStringList());
    EXPECT_EQ(FilesMade().size(), std::size(rows));
}

// Every refusal after the size dialog is one message, and a size of whole
// numbers is stored before the file is chosen. Which names, texts and sizes
// are refused is tested on PictureFormatOf, ParseDecimalInteger and
// WritePicture.
TEST_F(Export, EachRefusalIsOneMessageAndWholeNumbersAreStoredFirst)
{
    const QString kept = Path(QStringLiteral("kept.bmp"));
    ExportAs(120, 90, kept);
    const QByteArray old = ReadBytes(kept);
    const struct {
        const char *width, *height, *file;
        QString message;
        QSize stored;
    } rows[] = {
        {"12a", "100", "never.bmp", kInvalidSize, {120, 90}},
        {"100", "1,5", "never.bmp", kInvalidSize, {120, 90}},
        {"302", "123", "a.tif", QStringLiteral("(x) Fehler: Nicht unterstütztes Dateiformat"), {302, 123}},
        {"0", "100", "bad.bmp", kInvalidSize, {0, 100}},
        {"100", "-5", "bad.emf", kInvalidSize, {100, -5}},
        {"100000", "100000", "kept.bmp", kInvalidSize, {100000, 100000}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const int fileDialogs = dialogs.fileDialogsShown;
        ExportAs(QLatin1String(row.width), QLatin1String(row.height), Path(QLatin1String(row.file)));
        dialogs.files.clear();
        EXPECT_EQ(TakeMessages(), QStringList{row.message});
        EXPECT_EQ(dialogs.fileDialogsShown - fileDialogs, row.stored != QSize(120, 90));
        EXPECT_EQ(QSize(session->ExportWidth, session->ExportHeight), row.stored);
    }
    EXPECT_EQ(FilesMade(), QStringList{QStringLiteral("kept.bmp")});
    EXPECT_EQ(ReadBytes(kept), old);
    EXPECT_EQ(NextShownSize(), std::make_pair(QStringLiteral("100000"), QStringLiteral("100000")));
    EXPECT_GT(PixelsOf(FractPicture(), qRgb(0, 0, 0)), 0) << "the pane still shows the curve";
}

// A file or folder that cannot be written is one warning that says so, with
// the system's reason; a clip's recording dialog then does not open.
TEST_F(Export, AFileThatCannotBeWrittenIsSaidSoWithTheReason)
{
    ASSERT_TRUE(Open(files.path()));
    ASSERT_TRUE(QDir().mkpath(Path("readonly")) && Open(Path("readonly"), false));
    const QString missing = QString::fromLocal8Bit(std::strerror(ENOENT));
    const QString denied = QString::fromLocal8Bit(std::strerror(EACCES));
    const std::pair<const char*, QString> rows[] = {
        {"missing/p.jpg", missing}, {"readonly/p.png", denied}, {"missing/c.gif", missing}, {"readonly/c.avi", denied}};
    for (const auto& [name, reason] : rows) {
        SCOPED_TRACE(name);
        {
            const ActingAsNobody nobody;
            ExportAs(64, 48, Path(QLatin1String(name)));
        }
        const QStringList shown = TakeMessages();
        EXPECT_EQ(shown, QStringList{QStringLiteral("(!) Warnung: Die Datei kann nicht geschrieben werden: ")
                                              + Path(QLatin1String(name)) + QStringLiteral(": ") + reason})
            << qPrintable(shown.join(QLatin1Char('\n')));
        EXPECT_FALSE(window->findChild<TrecordDlg*>()->isVisible());
    }
    EXPECT_TRUE(QDir(Path("readonly")).isEmpty());
}

// A long export shows its progress after a moment while the animation goes
// on; "Abbrechen" stops it and leaves the old file as it was.
TEST_F(Export, ALongExportShowsItsProgressAndAbbrechenKeepsTheOldFile)
{
    const QString path = Path(QStringLiteral("big.png"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    session->AnimateAngles(true);
    int changes = 0;
    QObject::connect(session.get(), &FractalSession::fractChanged, [&changes] { ++changes; });
    QString shown;
    int changesWhenShown = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QProgressDialog* progress : window->findChildren<QProgressDialog*>()) {
            if (!progress->isVisible() || progress->wasCanceled())
                continue;
            if (changesWhenShown < 0) {
                shown = progress->windowTitle() + QStringLiteral(": ") + progress->labelText();
                changesWhenShown = changes;
                return;
            }
            for (QPushButton* button : progress->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("Abbrechen"))
                    button->click();
        }
    });
    poll.start(20);
    ExportAs(8000, 8000, path);
    poll.stop();
    EXPECT_EQ(shown, QStringLiteral("Exportieren: Bild wird exportiert..."));
    EXPECT_GT(changes, changesWhenShown) << "the animation stood still";
    EXPECT_EQ(TakeMessages(), QStringList());
    EXPECT_EQ(FilesMade(), QStringList(QStringLiteral("big.png")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old");
}

TEST_F(Export, CancellingTheSizeDialogDoesNothingAndTheFileDialogKeepsTheNewSize)
{
    dialogs.dialogScripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<TexportDlg&>(d);
        Named<QLineEdit>(dlg, "txtWidth")->setText(QStringLiteral("500"));
        Named<QPushButton>(dlg, "cmdCancel")->click();
        return QDialog::Rejected;
    });
    Exportieren1()->trigger();
    EXPECT_EQ(dialogs.fileDialogsShown, 0);
    EXPECT_EQ(NextShownSize(), std::make_pair(QStringLiteral("256"), QStringLiteral("256")));

    ExportAs(640, 480, QString());
    EXPECT_EQ(dialogs.fileDialogsShown, 1);
    EXPECT_EQ(TakeMessages(), QStringList());
    EXPECT_TRUE(FilesMade().isEmpty());
    EXPECT_EQ(NextShownSize(), std::make_pair(QStringLiteral("640"), QStringLiteral("480")));
}

} // namespace
