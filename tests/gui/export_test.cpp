#include "tests/gui/window_fixture.h"

#include "app/texport_dlg.h"
#include "tests/support/metafile_reader.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

#include <cmath>
#include <set>
#include <utility>

#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define ORNALIX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORNALIX_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

const QString kInvalidSize = QStringLiteral("(!) Warnung: Ungültige Breite bzw. Höhe");

using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOfColour(const QImage& image, QRgb colour)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    PixelSet pixels;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (rgb.pixel(x, y) == colour)
                pixels.insert({x, y});
    return pixels;
}

// How many pixels differ in value (a file read back may carry a colour
// space of its own, which does not count); -1 when the sizes differ.
int DifferentPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

// The pixels darker than mid grey lie in the same box in both, give or take.
void ExpectDarkBoxesAlike(const QImage& a, const QImage& b, int tolerance)
{
    QRect box[2];
    for (int i = 0; i < 2; ++i) {
        const QImage rgb = (i ? b : a).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x)
                if (qGray(rgb.pixel(x, y)) < 128)
                    box[i] |= QRect(x, y, 1, 1);
    }
    ASSERT_FALSE(box[0].isEmpty() || box[1].isEmpty());
    for (const QPoint d : {box[0].topLeft() - box[1].topLeft(), box[0].bottomRight() - box[1].bottomRight()})
        EXPECT_LE(std::max(std::abs(d.x()), std::abs(d.y())), tolerance) << d.x() << "," << d.y();
}

// Holds the process's address space to what it uses now plus the headroom,
// while it lives: an allocation beyond that fails as it would when memory
// runs out.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(qint64 headroom)
    {
        qint64 used = 0;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmSize:"))
                    used = line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
        if (used <= 0 || getrlimit(RLIMIT_AS, &saved_) != 0)
            return;
        rlimit lowered = saved_;
        lowered.rlim_cur = static_cast<rlim_t>(used + headroom);
        active_ = setrlimit(RLIMIT_AS, &lowered) == 0;
    }
    ~AddressSpaceLimit()
    {
        if (active_)
            setrlimit(RLIMIT_AS, &saved_);
    }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    bool Active() const { return active_; }

private:
    rlimit saved_{};
    bool active_ = false;
};

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
    EXPECT_FALSE(PixelsOfColour(lines, qRgb(200, 30, 40)).empty());

    optPoints()->click();
    ExpectBmpEqualsThePane(QStringLiteral("points.bmp"));
    EXPECT_GT(DifferentPixels(QImage(Path(QStringLiteral("points.bmp"))), lines), 0);

    // A zoom in force is exported as the pane shows it, and stays.
    const QImage full = FractPicture();
    ZoomWithoutAnimation({60, 40}, {200, 150});
    ASSERT_GT(DifferentPixels(FractPicture(), full), 0);
    ExpectBmpEqualsThePane(QStringLiteral("zoomed-points.bmp"));
    optLines()->click();
    ExpectBmpEqualsThePane(QStringLiteral("zoomed-lines.bmp"));
    EXPECT_FALSE(session->Viewer.WindowIsBounds());
}

TEST_F(Export, PointsAtALargeSizeAreOneBlackPixelEachAndNothingElse)
{
    tbDepth()->setValue(6);
    optPoints()->click();
    const int width = 1000, height = 700;
    ExportAs(width, height, Path(QStringLiteral("points.bmp")));
    EXPECT_EQ(TakeMessages(), QStringList());
    const QImage picture(Path(QStringLiteral("points.bmp")));
    ASSERT_EQ(picture.size(), QSize(width, height));
    // Each point where the view fitted to the picture puts it.
    const ViewMapping fit = session->Viewer.FitMapping({0, 0, width, height});
    PixelSet expected;
    for (int i = 0; i < session->Viewer.PointCount; ++i) {
        const Complex& q = session->Viewer.Points[i];
        const Complex p(q.Re * fit.Scale + fit.Offset.Re, q.Im * fit.Scale + fit.Offset.Im);
        if (p.Re > -1.0 && p.Re < width && p.Im > -1.0 && p.Im < height)
            expected.insert({static_cast<int>(p.Re), static_cast<int>(p.Im)});
    }
    ASSERT_GT(expected.size(), 500u);
    EXPECT_EQ(PixelsOfColour(picture, qRgb(0, 0, 0)), expected);
    const PixelSet white = PixelsOfColour(picture, qRgb(255, 255, 255));
    EXPECT_EQ(white.size() + expected.size(), static_cast<std::size_t>(width) * height) << "black on white only";
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
    // Depth, point count, colours, pen, display mode, generator and zoom
    // all show in the pane's picture.
    for (const char* name : {"a.bmp", "a.jpg", "a.wmf", "a.emf"}) {
        SCOPED_TRACE(name);
        ExportAs(777, 333, Path(QString::fromLatin1(name)));
        EXPECT_TRUE(QFileInfo::exists(Path(QString::fromLatin1(name))));
        EXPECT_EQ(tbDepth()->value(), 4);
        EXPECT_EQ(session->Mode(), modeIdle);
        EXPECT_FALSE(session->Viewer.WindowIsBounds()) << "the zoom stays in force";
        ptbFract()->repaint();
        EXPECT_EQ(DifferentPixels(FractPicture(), before), 0);
        EXPECT_EQ(EditorPicture(), editor);
    }
    EXPECT_EQ(TakeMessages(), QStringList());
    // The full view afterwards is the full view of before.
    N1001()->trigger();
    EXPECT_TRUE(session->Viewer.WindowIsBounds());
    EXPECT_EQ(DifferentPixels(FractPicture(), full), 0);
}

// Names and sizes ----------------------------------------------------------

TEST_F(Export, EachExtensionInAnyCaseGivesItsFormatAtTheSize)
{
    const std::pair<const char*, QByteArray> formats[] = {{"PICTURE.BMP", "BM"},
                                                          {"picture.Jpg", "\xFF\xD8"},
                                                          {"picture.WMF", QByteArray("\xD7\xCD\xC6\x9A", 4)},
                                                          {"picture.Emf", QByteArray("\x01\0\0\0", 4)}};
    for (const auto& [name, magic] : formats) {
        ExportAs(300, 200, Path(QString::fromLatin1(name)));
        EXPECT_TRUE(ReadBytes(Path(QString::fromLatin1(name))).startsWith(magic)) << name;
    }
    EXPECT_EQ(TakeMessages(), QStringList());
    EXPECT_EQ(QImage(Path(QStringLiteral("PICTURE.BMP"))).size(), QSize(300, 200));
    const QByteArray emf = ReadBytes(Path(QStringLiteral("picture.Emf")));
    ASSERT_GE(emf.size(), 88);
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(U32At(emf, 48), static_cast<quint32>(emf.size())) << "written whole";
    EXPECT_EQ(QRect(QPoint(I32At(emf, 8), I32At(emf, 12)), QPoint(I32At(emf, 16), I32At(emf, 20))),
              QRect(0, 0, 300, 200)) << "the bounds are the picture";
}

TEST_F(Export, OtherExtensionsAreRefusedButTheSizeIsKept)
{
    int width = 301;
    for (const char* name : {"a.tif", "a.jpeg", "noextension", "a.bmpx", "a.avix", "a.", "a.bmp.gz", "sub.bmp/plain"}) {
        SCOPED_TRACE(name);
        ExportAs(++width, 123, Path(QString::fromLatin1(name)));
        EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(x) Fehler: Nicht unterstütztes Dateiformat")});
        EXPECT_EQ(session->ExportWidth, width);
        EXPECT_EQ(session->ExportHeight, 123);
        EXPECT_TRUE(FilesMade().isEmpty()) << FilesMade().join(QStringLiteral(", ")).toStdString();
    }
    EXPECT_EQ(NextShownSize(), std::make_pair(QString::number(width), QStringLiteral("123")));
}

TEST_F(Export, ASizeThatIsNoWholeNumberIsWarnedAboutBeforeTheFileDialog)
{
    const std::pair<const char*, const char*> sizes[] = {
        {"12a", "100"}, {"100", "x"}, {"", "100"}, {"1.5", "100"}, {"100", "1,5"}, {"+", "100"}, {"99999999999", "100"}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::string(w) + " x " + h);
        ExportAs(QString::fromLatin1(w), QString::fromLatin1(h), Path(QStringLiteral("never.bmp")));
        dialogs.files.clear();
        EXPECT_EQ(TakeMessages(), QStringList{kInvalidSize});
        EXPECT_EQ(dialogs.fileDialogsShown, 0);
        EXPECT_EQ(session->ExportWidth, 256);
        EXPECT_EQ(session->ExportHeight, 256);
    }
    EXPECT_TRUE(FilesMade().isEmpty());
    EXPECT_EQ(NextShownSize(), std::make_pair(QStringLiteral("256"), QStringLiteral("256")));
    // Signs and spaces around the numbers are accepted.
    ExportAs(QStringLiteral("+120"), QStringLiteral(" 80 "), Path(QStringLiteral("signed.bmp")));
    EXPECT_EQ(TakeMessages(), QStringList());
    EXPECT_EQ(QImage(Path(QStringLiteral("signed.bmp"))).size(), QSize(120, 80));
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
    // The dialog it cancelled offers the four picture formats and the clip.
    ASSERT_EQ(dialogs.fileDialogFilters.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogFilters[0],
              QStringLiteral("Bitmaps (*.bmp);;Windows Metadatei (*.wmf);;Erweiterte Metadateien (*.emf);;"
                             "JPEG-Grafikdatei (*.jpg);;Videoclip (*.avi);;MP4-Video (*.mp4);;WebM-Video (*.webm);;"
                             "GIF-Animation (*.gif);;PNG-Grafik (*.png);;SVG-Grafik (*.svg);;PDF-Dokument (*.pdf)"));
    EXPECT_EQ((*Named<QFileDialog>(*window, "SavePictureDialog1")).defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_EQ((*Named<QFileDialog>(*window, "SavePictureDialog1")).acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE((*Named<QFileDialog>(*window, "SavePictureDialog1")).testOption(QFileDialog::DontUseNativeDialog));
}

TEST_F(Export, NoPictureOrNoTargetIsWarnedAboutAndLeavesNoFile)
{
    const std::tuple<int, int, const char*> cases[] = {{0, 100, "bad."},  {100, 0, "bad."}, {-5, 100, "bad."},
                                                       {100, -5, "bad."}, {0, 0, "bad."},   {200, 100, "no-such-folder/p."}};
    for (const char* ext : {"bmp", "jpg", "wmf", "emf"}) {
        for (const auto& [w, h, name] : cases) {
            SCOPED_TRACE(testing::Message() << w << "x" << h << " " << name << ext);
            ExportAs(w, h, Path(QString::fromLatin1(name) + QString::fromLatin1(ext)));
            EXPECT_EQ(TakeMessages(), QStringList{kInvalidSize});
            EXPECT_EQ(session->ExportWidth, w) << "the size is stored before the picture is made";
            EXPECT_EQ(session->ExportHeight, h);
            EXPECT_TRUE(FilesMade().isEmpty()) << FilesMade().join(QStringLiteral(", ")).toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("no-such-folder"))));
}

TEST_F(Export, APictureTooLargeToMakeIsWarnedAboutAndKeepsAnOlderFile)
{
    const QString kept = Path(QStringLiteral("kept.bmp"));
    ExportAs(120, 90, kept);
    const QByteArray before = ReadBytes(kept);
    ASSERT_FALSE(before.isEmpty());
    for (const char* name : {"kept.bmp", "huge.jpg"}) {
        SCOPED_TRACE(name);
        ExportAs(100000, 100000, Path(QString::fromLatin1(name)));
        EXPECT_EQ(TakeMessages(), QStringList{kInvalidSize});
        EXPECT_EQ(session->ExportWidth, 100000);
    }
    EXPECT_EQ(ReadBytes(kept), before);
    EXPECT_EQ(FilesMade(), QStringList{QStringLiteral("kept.bmp")});
    ptbFract()->repaint();
    EXPECT_FALSE(PixelsOfColour(FractPicture(), qRgb(0, 0, 0)).empty()) << "the pane still shows the curve";
}

// Raster pictures are drawn a band at a time: a picture far larger than the
// memory left exports all the same, and only a single row too large for it
// gives the warning.
TEST_F(Export, LargePicturesNeedLittleMemoryAndRunningOutIsWarnedAbout)
{
#ifdef ORNALIX_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer ends the program when an allocation fails";
#endif
    // 8000 by 8000 pixels alone would take 256 MB.
    const std::tuple<int, int, const char*> cases[] = {{8000, 8000, "large.bmp"}, {8000, 8000, "large.jpg"},
                                                       {100000000, 1, "wide.bmp"}};
    for (const auto& [w, h, name] : cases) {
        SCOPED_TRACE(name);
        {
            const AddressSpaceLimit limit(qint64{288} << 20);
            ASSERT_TRUE(limit.Active());
            ExportAs(w, h, Path(QString::fromLatin1(name)));
        }
        if (h == 1) {
            EXPECT_EQ(TakeMessages(), QStringList{kInvalidSize});
            EXPECT_EQ(session->ExportWidth, w);
        } else {
            EXPECT_EQ(TakeMessages(), QStringList());
            EXPECT_EQ(QImageReader(Path(QString::fromLatin1(name))).size(), QSize(w, h));
            QFile::remove(Path(QString::fromLatin1(name)));
        }
    }
    EXPECT_TRUE(FilesMade().isEmpty()) << FilesMade().join(QStringLiteral(", ")).toStdString();
    ptbFract()->repaint();
    EXPECT_FALSE(PixelsOfColour(FractPicture(), qRgb(0, 0, 0)).empty()) << "the window goes on";
}

// Read back by programs we did not write -------------------------------------

TEST_F(Export, BitmapIsUncompressedTwentyFourBit)
{
    const QString path = Path(QStringLiteral("check.bmp"));
    ExportAs(301, 203, path);
    const QByteArray bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(U32At(bytes, 2), static_cast<quint32>(bytes.size()));
    EXPECT_EQ(U32At(bytes, 18), 301u);
    EXPECT_EQ(U32At(bytes, 22), 203u) << "bottom-up rows";
    EXPECT_EQ(U16At(bytes, 28), 24) << "bits per pixel";
    EXPECT_EQ(U32At(bytes, 30), 0u) << "no compression";
    EXPECT_EQ(bytes.size(), 54 + (301 * 3 + 3) / 4 * 4 * 203);

    if (!ToolAvailable(QStringLiteral("identify")))
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    const ToolResult id =
        RunTool(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %w %h %[compression]"), path});
    EXPECT_EQ(id.ExitCode, 0);
    EXPECT_EQ(id.Output, QByteArray("BMP3 301 203 None")) << "BMP3: the 40-byte header of Windows 3";
    // The other program sees the same pixels as we do.
    const QString png = Path(QStringLiteral("check-from-bmp.png"));
    ASSERT_EQ(RunTool(QStringLiteral("convert"), {path, png}).ExitCode, 0);
    EXPECT_EQ(DifferentPixels(QImage(png), QImage(path)), 0);
}

TEST_F(Export, JpegIsBaselineQualityNinetyWithThreeColourComponents)
{
    if (!ToolAvailable(QStringLiteral("identify")))
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    // Black on white: still three components, not one grey channel.
    ASSERT_EQ(session->Viewer.FgColor, kBlack);
    ASSERT_EQ(session->Viewer.BgColor, kWhite);
    const QString path = Path(QStringLiteral("check.jpg"));
    ExportAs(320, 240, path);
    ExportAs(320, 240, Path(QStringLiteral("check.bmp")));
    EXPECT_EQ(TakeMessages(), QStringList());
    const ToolResult id = RunTool(QStringLiteral("identify"),
                                  {QStringLiteral("-format"), QStringLiteral("%m %w %h %Q %[interlace] %[colorspace] %[channels]"), path});
    EXPECT_EQ(id.ExitCode, 0);
    EXPECT_EQ(id.Output, QByteArray("JPEG 320 240 90 None sRGB srgb")) << "red, green and blue; neither grey nor alpha";
    ExpectDarkBoxesAlike(QImage(path), QImage(Path(QStringLiteral("check.bmp"))), 2);
}

TEST_F(Export, WindowsMetafileShowsTheCurveWhereTheBitmapDoes)
{
    if (!ToolAvailable(QStringLiteral("convert")))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    const QString wmf = Path(QStringLiteral("check.wmf"));
    const QString png = Path(QStringLiteral("check-from-wmf.png"));
    tbDepth()->setValue(3);
    ExportAs(400, 300, wmf);
    ExportAs(400, 300, Path(QStringLiteral("check.bmp")));
    EXPECT_EQ(TakeMessages(), QStringList());
    // The picture's frame is its physical size on the screen it was made
    // for, so the screen's own resolution gives the picture back at its
    // pixel size: 96 on a 96 dpi screen (the offscreen test screen has 100).
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const long dpi = std::lround(screen->size().width() * 25.4 / screen->physicalSize().width());
    ASSERT_EQ(RunTool(QStringLiteral("convert"), {QStringLiteral("-density"), QString::number(dpi), wmf, png}).ExitCode, 0);
    const QImage fromWmf(png);
    EXPECT_LE(std::abs(fromWmf.width() - 400), 1);
    EXPECT_LE(std::abs(fromWmf.height() - 300), 1);
    ExpectDarkBoxesAlike(fromWmf, QImage(Path(QStringLiteral("check.bmp"))), 3);
}

} // namespace
