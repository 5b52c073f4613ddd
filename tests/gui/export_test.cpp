#include "window_fixture.h"

#include "texport_dlg.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QtEndian>

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

using PixelSet = std::set<std::pair<int, int>>;

// Programs we did not write that read the exported files back.
struct ToolOutput {
    bool Ran = false;
    int ExitCode = -1;
    QString Text;
};

bool Installed(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

ToolOutput RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolOutput out;
    if (!process.waitForStarted() || !process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return out;
    out.Ran = true;
    out.ExitCode = process.exitCode();
    out.Text = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return out;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 U16At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 U32At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

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

// The smallest rectangle around the pixels darker than mid grey.
QRect DarkBox(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (qGray(rgb.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Holds the process's address space to what it uses now plus the headroom,
// while it lives: an allocation beyond that fails as it would when memory
// runs out.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(qint64 headroom)
    {
        const qint64 used = VirtualSize();
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
    static qint64 VirtualSize()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmSize:"))
                return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
        return 0;
    }

    rlimit saved_{};
    bool active_ = false;
};

class Export : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->tbDepth->setValue(4);
    }

    QString PathOf(const QString& name) const { return files.filePath(name); }

    QStringList FilesMade() const { return QDir(files.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

    // Answers the size dialog with the texts, then the file dialog with the
    // name (empty: cancel), through the menu command.
    void ExportAs(const QString& width, const QString& height, const QString& file)
    {
        dialogs.dialogScripts.push_back([width, height](QDialog& d) {
            auto& dlg = static_cast<TexportDlg&>(d);
            dlg.txtWidth->setText(width);
            dlg.txtHeight->setText(height);
            dlg.cmdOk->click();
            return QDialog::Accepted;
        });
        dialogs.files.push_back(file);
        window->Exportieren1->trigger();
    }

    void ExportAs(int width, int height, const QString& file)
    {
        ExportAs(QString::number(width), QString::number(height), file);
    }

    // "aktuelle Größe", then the file.
    void ExportAtPaneSize(const QString& file)
    {
        dialogs.dialogScripts.push_back([](QDialog& d) {
            static_cast<TexportDlg&>(d).cmdCurrentSize->click();
            return QDialog::Accepted;
        });
        dialogs.files.push_back(file);
        window->Exportieren1->trigger();
    }

    // What the size dialog shows at its next showing; the dialog is then
    // cancelled.
    std::pair<QString, QString> NextShownSize()
    {
        std::pair<QString, QString> shown;
        dialogs.dialogScripts.push_back([&shown](QDialog& d) {
            auto& dlg = static_cast<TexportDlg&>(d);
            shown = {dlg.txtWidth->text(), dlg.txtHeight->text()};
            return QDialog::Rejected;
        });
        window->Exportieren1->trigger();
        return shown;
    }

    void ZoomWithoutAnimation(QPoint from, QPoint to)
    {
        window->ZoomAnimation = false;
        QTest::mousePress(window->ptbFract, Qt::LeftButton, {}, from);
        QTest::mouseMove(window->ptbFract, (from + to) / 2);
        QTest::mouseMove(window->ptbFract, to);
        QTest::mouseRelease(window->ptbFract, Qt::LeftButton, {}, to);
        ASSERT_FALSE(window->Viewer.WindowIsBounds());
    }

    void ExpectNoMessages()
    {
        EXPECT_TRUE(dialogs.messages.empty()) << dialogs.MessageTexts().join(QStringLiteral(" | ")).toStdString();
    }

    void ExpectOneMessage(QMessageBox::Icon icon, const QString& caption, const QString& text)
    {
        ASSERT_EQ(dialogs.messages.size(), 1u) << dialogs.MessageTexts().join(QStringLiteral(" | ")).toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, icon);
        EXPECT_EQ(dialogs.messages[0].caption, caption);
        EXPECT_EQ(dialogs.messages[0].text, text);
    }

    void ExpectInvalidSizeWarning()
    {
        ExpectOneMessage(QMessageBox::Warning, QStringLiteral("Warnung"),
                         QStringLiteral("Ungültige Breite bzw. Höhe"));
    }

    void ExpectUnsupportedFormatError()
    {
        ExpectOneMessage(QMessageBox::Critical, QStringLiteral("Fehler"),
                         QStringLiteral("Nicht unterstütztes Dateiformat"));
    }

    // Exports the pane's size as BMP and compares it with the pane.
    void ExpectBmpEqualsThePane(const QString& name)
    {
        const QImage pane = FractPicture();
        ExportAtPaneSize(PathOf(name));
        ExpectNoMessages();
        const QImage picture(PathOf(name));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), window->ptbFract->ClientRect().size());
        EXPECT_EQ(DifferentPixels(picture, pane), 0);
        EXPECT_EQ(window->ExportWidth, pane.width());
        EXPECT_EQ(window->ExportHeight, pane.height());
    }
};

// The picture is the pane's own ---------------------------------------------

TEST_F(Export, AtThePaneSizeTheBitmapIsThePanePixelForPixel)
{
    ASSERT_TRUE(window->optLines->isChecked());
    ExpectBmpEqualsThePane(QStringLiteral("lines.bmp"));

    window->optPoints->click();
    ASSERT_FALSE(window->optLines->isChecked());
    ExpectBmpEqualsThePane(QStringLiteral("points.bmp"));
    const QImage points(PathOf(QStringLiteral("points.bmp")));
    EXPECT_GT(DifferentPixels(points, QImage(PathOf(QStringLiteral("lines.bmp")))), 0);
}

TEST_F(Export, AZoomInForceIsExportedAsThePaneShowsIt)
{
    const QImage full = FractPicture();
    ZoomWithoutAnimation({60, 40}, {200, 150});
    ASSERT_GT(DifferentPixels(FractPicture(), full), 0);
    ExpectBmpEqualsThePane(QStringLiteral("zoomed-lines.bmp"));
    EXPECT_FALSE(window->Viewer.WindowIsBounds()) << "the zoom stays in force";

    window->optPoints->click();
    ExpectBmpEqualsThePane(QStringLiteral("zoomed-points.bmp"));
    EXPECT_FALSE(window->Viewer.WindowIsBounds());
}

TEST_F(Export, ColoursPenWidthAndDepthAreThePanes)
{
    window->Viewer.FgColor = RgbColor(200, 30, 40);
    window->Viewer.BgColor = RgbColor(10, 60, 120);
    window->Viewer.PenWidth = 3;
    window->tbDepth->setValue(5);
    ExpectBmpEqualsThePane(QStringLiteral("coloured.bmp"));
    const QImage picture(PathOf(QStringLiteral("coloured.bmp")));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(10, 60, 120)) << "the corner shows the background";
    EXPECT_FALSE(PixelsOfColour(picture, qRgb(200, 30, 40)).empty());
}

TEST_F(Export, PointsAtALargeSizeAreOneBlackPixelEachAndNothingElse)
{
    window->tbDepth->setValue(6);
    window->optPoints->click();
    const int width = 1000, height = 700;
    ExportAs(width, height, PathOf(QStringLiteral("points.bmp")));
    ExpectNoMessages();
    const QImage picture(PathOf(QStringLiteral("points.bmp")));
    ASSERT_EQ(picture.size(), QSize(width, height));

    // The export leaves the view fitted to its picture.
    EXPECT_EQ(window->Viewer.TargetRect, (PixelRect{0, 0, width, height}));
    PixelSet expected;
    for (int i = 0; i < window->Viewer.PointCount; ++i) {
        const Complex& p = window->Viewer.Points[i];
        if (p.Re > -1.0 && p.Re < width && p.Im > -1.0 && p.Im < height)
            expected.insert({static_cast<int>(p.Re), static_cast<int>(p.Im)});
    }
    ASSERT_GT(expected.size(), 500u);
    EXPECT_EQ(PixelsOfColour(picture, qRgb(0, 0, 0)), expected);
    const PixelSet white = PixelsOfColour(picture, qRgb(255, 255, 255));
    EXPECT_EQ(white.size() + expected.size(), static_cast<std::size_t>(width) * height) << "black on white only";
}

// What the export leaves as it was -------------------------------------------

TEST_F(Export, TheWindowKeepsItsDrawingAndThePaneItsPicture)
{
    window->Viewer.FgColor = RgbColor(0, 128, 0);
    window->Viewer.PenWidth = 2;
    ZoomWithoutAnimation({50, 50}, {220, 170});
    window->ptbFract->repaint();
    const QImage before = FractPicture();
    const int depth = window->Viewer.Depth;
    const int pointCount = window->Viewer.PointCount;
    const std::vector<Complex> generator(window->Generator.Items.begin(),
                                         window->Generator.Items.begin() + window->Generator.Count);

    for (const char* name : {"a.bmp", "a.jpg", "a.wmf", "a.emf"}) {
        ExportAs(777, 333, PathOf(QString::fromLatin1(name)));
        EXPECT_TRUE(QFileInfo::exists(PathOf(QString::fromLatin1(name)))) << name;
        EXPECT_EQ(window->Viewer.Depth, depth);
        EXPECT_EQ(window->tbDepth->value(), depth);
        EXPECT_EQ(window->Viewer.PointCount, pointCount);
        EXPECT_EQ(window->Viewer.FgColor, RgbColor(0, 128, 0));
        EXPECT_EQ(window->Viewer.BgColor, kWhite);
        EXPECT_EQ(window->Viewer.PenWidth, 2);
        EXPECT_TRUE(window->optLines->isChecked());
        EXPECT_EQ(window->Mode, modeIdle);
        ASSERT_EQ(window->Generator.Count, static_cast<int>(generator.size()));
        for (int i = 0; i < window->Generator.Count; ++i) {
            EXPECT_EQ(window->Generator.Items[i].Re, generator[i].Re);
            EXPECT_EQ(window->Generator.Items[i].Im, generator[i].Im);
        }
        EXPECT_EQ(window->Viewer.WindowMin, &window->ZoomMin) << "the zoom stays in force";
        EXPECT_EQ(window->Viewer.WindowMax, &window->ZoomMax);
        window->ptbFract->repaint();
        EXPECT_EQ(DifferentPixels(FractPicture(), before), 0) << "after " << name;
    }
    ExpectNoMessages();
}

TEST_F(Export, FullViewAfterAnExportIsTheFullViewOfBefore)
{
    const QImage full = FractPicture();
    ZoomWithoutAnimation({40, 30}, {200, 160});
    ExportAs(640, 480, PathOf(QStringLiteral("z.bmp")));
    window->N1001->trigger();
    EXPECT_TRUE(window->Viewer.WindowIsBounds());
    EXPECT_EQ(DifferentPixels(FractPicture(), full), 0);
}

// Names and sizes ----------------------------------------------------------

TEST_F(Export, CapitalExtensionIsTheSameFormat)
{
    ExportAs(300, 200, PathOf(QStringLiteral("PICTURE.BMP")));
    ExpectNoMessages();
    const QByteArray bytes = FileBytes(PathOf(QStringLiteral("PICTURE.BMP")));
    ASSERT_GE(bytes.size(), 54);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(QImage(PathOf(QStringLiteral("PICTURE.BMP"))).size(), QSize(300, 200));

    ExportAs(300, 200, PathOf(QStringLiteral("PICTURE.Jpg")));
    ExpectNoMessages();
    EXPECT_TRUE(FileBytes(PathOf(QStringLiteral("PICTURE.Jpg"))).startsWith("\xFF\xD8"));
}

TEST_F(Export, OtherExtensionsAreRefusedButTheSizeIsKept)
{
    const char* names[] = {"a.png", "a.jpeg", "noextension", "a.bmpx", "a.avi",
                           "a.AVI", "a.", "a.bmp.png", "sub.bmp/plain"};
    int width = 301;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        dialogs.messages.clear();
        ++width;
        ExportAs(width, 123, PathOf(QString::fromLatin1(name)));
        ExpectUnsupportedFormatError();
        EXPECT_EQ(window->ExportWidth, width);
        EXPECT_EQ(window->ExportHeight, 123);
        EXPECT_EQ(window->Viewer.TargetRect, (PixelRect{0, 0, width, 123})) << "the view is fitted all the same";
        EXPECT_TRUE(FilesMade().isEmpty()) << FilesMade().join(QStringLiteral(", ")).toStdString();
    }
    EXPECT_EQ(NextShownSize(), std::make_pair(QString::number(width), QStringLiteral("123")));
}

TEST_F(Export, ASizeThatIsNoWholeNumberIsWarnedAboutBeforeTheFileDialog)
{
    const std::pair<const char*, const char*> sizes[] = {
        {"12a", "100"}, {"100", "x"}, {"", "100"}, {"1.5", "100"}, {"100", "1,5"}, {"abc", "def"}, {"+", "100"},
        {"99999999999", "100"},
    };
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::string(w) + " x " + h);
        dialogs.messages.clear();
        dialogs.files.clear();
        ExportAs(QString::fromLatin1(w), QString::fromLatin1(h), PathOf(QStringLiteral("never.bmp")));
        ExpectInvalidSizeWarning();
        EXPECT_EQ(dialogs.fileDialogsShown, 0);
        EXPECT_EQ(window->ExportWidth, 256);
        EXPECT_EQ(window->ExportHeight, 256);
    }
    EXPECT_TRUE(FilesMade().isEmpty());
    EXPECT_EQ(NextShownSize(), std::make_pair(QStringLiteral("256"), QStringLiteral("256")));
}

TEST_F(Export, SignsAndSpacesAroundTheNumbersAreAccepted)
{
    ExportAs(QStringLiteral("+120"), QStringLiteral(" 80 "), PathOf(QStringLiteral("signed.bmp")));
    ExpectNoMessages();
    EXPECT_EQ(window->ExportWidth, 120);
    EXPECT_EQ(window->ExportHeight, 80);
    EXPECT_EQ(QImage(PathOf(QStringLiteral("signed.bmp"))).size(), QSize(120, 80));
}

TEST_F(Export, CancellingTheSizeDialogDoesNothing)
{
    dialogs.dialogScripts.push_back([](QDialog& d) {
        auto& dlg = static_cast<TexportDlg&>(d);
        dlg.txtWidth->setText(QStringLiteral("500"));
        dlg.cmdCancel->click();
        return QDialog::Rejected;
    });
    window->Exportieren1->trigger();
    EXPECT_EQ(dialogs.fileDialogsShown, 0);
    EXPECT_EQ(window->ExportWidth, 256);
    ExpectNoMessages();
}

TEST_F(Export, CancellingTheFileDialogKeepsTheNewSize)
{
    EXPECT_EQ(NextShownSize(), std::make_pair(QStringLiteral("256"), QStringLiteral("256")));
    ExportAs(640, 480, QString());
    EXPECT_EQ(dialogs.fileDialogsShown, 1);
    ExpectNoMessages();
    EXPECT_EQ(window->ExportWidth, 640);
    EXPECT_EQ(window->ExportHeight, 480);
    EXPECT_TRUE(FilesMade().isEmpty());
    EXPECT_EQ(NextShownSize(), std::make_pair(QStringLiteral("640"), QStringLiteral("480")));
}

TEST_F(Export, ThePictureDialogOffersTheFourFormats)
{
    ExportAs(100, 100, QString());
    ASSERT_EQ(dialogs.fileDialogFilters.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogFilters[0],
              QStringLiteral("Bitmaps (*.bmp);;Windows Metadatei (*.wmf);;Erweiterte Metadateien (*.emf);;"
                             "JPEG-Grafikdatei (*.jpg)"));
    EXPECT_EQ(window->SavePictureDialog1.defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_EQ(window->SavePictureDialog1.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(window->SavePictureDialog1.testOption(QFileDialog::DontUseNativeDialog));
}

TEST_F(Export, SizesThatGiveNoPictureAreWarnedAboutAndLeaveNoFile)
{
    const std::pair<int, int> sizes[] = {{0, 100}, {100, 0}, {-5, 100}, {100, -5}, {0, 0}};
    for (const auto& [w, h] : sizes) {
        for (const char* ext : {"bmp", "jpg", "wmf", "emf"}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + "." + ext);
            dialogs.messages.clear();
            ExportAs(w, h, PathOf(QStringLiteral("bad.") + QString::fromLatin1(ext)));
            ExpectInvalidSizeWarning();
            EXPECT_EQ(window->ExportWidth, w) << "the size is stored before the picture is made";
            EXPECT_EQ(window->ExportHeight, h);
            EXPECT_TRUE(FilesMade().isEmpty()) << FilesMade().join(QStringLiteral(", ")).toStdString();
        }
    }
}

TEST_F(Export, APictureTooLargeToMakeIsWarnedAboutAndLeavesNoFile)
{
    for (const char* ext : {"bmp", "jpg"}) {
        SCOPED_TRACE(ext);
        dialogs.messages.clear();
        ExportAs(100000, 100000, PathOf(QStringLiteral("huge.") + QString::fromLatin1(ext)));
        ExpectInvalidSizeWarning();
        EXPECT_EQ(window->ExportWidth, 100000);
        EXPECT_TRUE(FilesMade().isEmpty()) << FilesMade().join(QStringLiteral(", ")).toStdString();
    }
    // The pane still shows the curve afterwards.
    window->ptbFract->repaint();
    EXPECT_FALSE(PixelsOfColour(FractPicture(), qRgb(0, 0, 0)).empty());
}

// Raster pictures are drawn a band at a time: a picture far larger than the
// memory left exports all the same, and only a single row too large for it
// gives the warning.
TEST_F(Export, LargePicturesNeedLittleMemoryAndRunningOutIsWarnedAbout)
{
#ifdef ORNALIX_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer ends the program when an allocation fails";
#endif
    for (const char* ext : {"bmp", "jpg"}) {
        SCOPED_TRACE(ext);
        const QString path = PathOf(QStringLiteral("large.") + QString::fromLatin1(ext));
        {
            // 8000 by 8000 pixels alone would take 256 MB.
            const AddressSpaceLimit limit(qint64{288} << 20);
            ASSERT_TRUE(limit.Active());
            ExportAs(8000, 8000, path);
        }
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(QImageReader(path).size(), QSize(8000, 8000));
        QFile::remove(path);
    }
    {
        const AddressSpaceLimit limit(qint64{288} << 20);
        ASSERT_TRUE(limit.Active());
        ExportAs(100000000, 1, PathOf(QStringLiteral("wide.bmp")));
    }
    ExpectInvalidSizeWarning();
    EXPECT_EQ(window->ExportWidth, 100000000);
    EXPECT_TRUE(FilesMade().isEmpty()) << FilesMade().join(QStringLiteral(", ")).toStdString();
    window->ptbFract->repaint();
    EXPECT_FALSE(PixelsOfColour(FractPicture(), qRgb(0, 0, 0)).empty()) << "the window goes on";
}

TEST_F(Export, AFailedExportKeepsAnOlderFileOfTheSameName)
{
    const QString path = PathOf(QStringLiteral("kept.bmp"));
    ExportAs(120, 90, path);
    const QByteArray before = FileBytes(path);
    ASSERT_FALSE(before.isEmpty());
    dialogs.messages.clear();
    ExportAs(100000, 100000, path);
    ExpectInvalidSizeWarning();
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(FilesMade(), QStringList{QStringLiteral("kept.bmp")});
}

TEST_F(Export, ATargetThatCannotBeWrittenIsWarnedAbout)
{
    for (const char* ext : {"bmp", "jpg", "wmf", "emf"}) {
        SCOPED_TRACE(ext);
        dialogs.messages.clear();
        ExportAs(200, 100, PathOf(QStringLiteral("no-such-folder/p.") + QString::fromLatin1(ext)));
        ExpectInvalidSizeWarning();
        EXPECT_EQ(window->ExportWidth, 200);
        EXPECT_FALSE(QFileInfo::exists(PathOf(QStringLiteral("no-such-folder"))));
    }
    EXPECT_TRUE(FilesMade().isEmpty());
}

// Read back by programs we did not write -------------------------------------

TEST_F(Export, BitmapIsUncompressedTwentyFourBit)
{
    const QString path = PathOf(QStringLiteral("check.bmp"));
    ExportAs(301, 203, path);
    const QByteArray bytes = FileBytes(path);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(U32At(bytes, 2), static_cast<quint32>(bytes.size()));
    EXPECT_EQ(U32At(bytes, 18), 301u);
    EXPECT_EQ(U32At(bytes, 22), 203u) << "bottom-up rows";
    EXPECT_EQ(U16At(bytes, 28), 24) << "bits per pixel";
    EXPECT_EQ(U32At(bytes, 30), 0u) << "no compression";
    const qsizetype rowSize = (301 * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + rowSize * 203);

    if (!Installed(QStringLiteral("identify")))
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    const ToolOutput id = RunTool(QStringLiteral("identify"), {QStringLiteral("-format"),
                                                              QStringLiteral("%m %w %h %[compression]"), path});
    ASSERT_TRUE(id.Ran);
    EXPECT_EQ(id.ExitCode, 0);
    EXPECT_EQ(id.Text, QStringLiteral("BMP3 301 203 None")) << "BMP3: the 40-byte header of Windows 3";
    // The other program sees the same pixels as we do.
    const QString png = PathOf(QStringLiteral("check-from-bmp.png"));
    const ToolOutput conv = RunTool(QStringLiteral("convert"), {path, png});
    ASSERT_TRUE(conv.Ran);
    ASSERT_EQ(conv.ExitCode, 0);
    const QImage fromPng(png);
    ASSERT_FALSE(fromPng.isNull());
    EXPECT_EQ(DifferentPixels(fromPng, QImage(path)), 0);
}

TEST_F(Export, JpegIsBaselineQualityNinetyWithThreeColourComponents)
{
    if (!Installed(QStringLiteral("identify")))
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    // Black on white: still three components, not one grey channel.
    ASSERT_EQ(window->Viewer.FgColor, kBlack);
    ASSERT_EQ(window->Viewer.BgColor, kWhite);
    const QString path = PathOf(QStringLiteral("check.jpg"));
    ExportAs(320, 240, path);
    ExpectNoMessages();
    const ToolOutput id = RunTool(
        QStringLiteral("identify"),
        {QStringLiteral("-format"), QStringLiteral("%m %w %h %Q %[interlace] %[colorspace]"), path});
    ASSERT_TRUE(id.Ran);
    EXPECT_EQ(id.ExitCode, 0);
    EXPECT_EQ(id.Text, QStringLiteral("JPEG 320 240 90 None sRGB"));
    const ToolOutput channels = RunTool(QStringLiteral("identify"),
                                        {QStringLiteral("-format"), QStringLiteral("%[channels]"), path});
    ASSERT_TRUE(channels.Ran);
    EXPECT_EQ(channels.Text, QStringLiteral("srgb")) << "red, green and blue; neither grey nor alpha";

    // The frame header itself: baseline (SOF0), 8 bits, three components.
    const QByteArray bytes = FileBytes(path);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GE(sof, 0);
    ASSERT_GT(bytes.size(), sof + 10);
    EXPECT_EQ(static_cast<unsigned char>(bytes[sof + 4]), 8);
    EXPECT_EQ(static_cast<unsigned char>(bytes[sof + 9]), 3);
    EXPECT_EQ(bytes.indexOf(QByteArray("\xFF\xC2", 2)), -1) << "not progressive";

    // Its dark pixels lie where the bitmap's do.
    ExportAs(320, 240, PathOf(QStringLiteral("check.bmp")));
    const QRect jpegBox = DarkBox(QImage(path));
    const QRect bmpBox = DarkBox(QImage(PathOf(QStringLiteral("check.bmp"))));
    ASSERT_FALSE(bmpBox.isEmpty());
    EXPECT_LE(std::abs(jpegBox.left() - bmpBox.left()), 2);
    EXPECT_LE(std::abs(jpegBox.top() - bmpBox.top()), 2);
    EXPECT_LE(std::abs(jpegBox.right() - bmpBox.right()), 2);
    EXPECT_LE(std::abs(jpegBox.bottom() - bmpBox.bottom()), 2);
}

TEST_F(Export, WindowsMetafileShowsTheCurveWhereTheBitmapDoes)
{
    if (!Installed(QStringLiteral("convert")))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    const QString wmf = PathOf(QStringLiteral("check.wmf"));
    const QString bmp = PathOf(QStringLiteral("check.bmp"));
    const QString png = PathOf(QStringLiteral("check-from-wmf.png"));
    window->tbDepth->setValue(3);
    ExportAs(400, 300, wmf);
    ExportAs(400, 300, bmp);
    ExpectNoMessages();

    const QByteArray bytes = FileBytes(wmf);
    ASSERT_GE(bytes.size(), 22 + 18);
    EXPECT_EQ(U32At(bytes, 0), 0x9AC6CDD7u) << "placeable";

    // The picture's frame is its physical size on the screen it was made
    // for, so the screen's own resolution gives the picture back at its
    // pixel size: 96 on a 96 dpi screen (the offscreen test screen has 100).
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const long dpi = std::lround(screen->size().width() * 25.4 / screen->physicalSize().width());
    const ToolOutput conv =
        RunTool(QStringLiteral("convert"), {QStringLiteral("-density"), QString::number(dpi), wmf, png});
    ASSERT_TRUE(conv.Ran);
    ASSERT_EQ(conv.ExitCode, 0);
    const QImage fromWmf(png);
    ASSERT_FALSE(fromWmf.isNull());
    EXPECT_LE(std::abs(fromWmf.width() - 400), 1);
    EXPECT_LE(std::abs(fromWmf.height() - 300), 1);

    const QRect wmfBox = DarkBox(fromWmf);
    const QRect bmpBox = DarkBox(QImage(bmp));
    ASSERT_FALSE(bmpBox.isEmpty());
    ASSERT_FALSE(wmfBox.isEmpty());
    EXPECT_LE(std::abs(wmfBox.left() - bmpBox.left()), 3);
    EXPECT_LE(std::abs(wmfBox.top() - bmpBox.top()), 3);
    EXPECT_LE(std::abs(wmfBox.right() - bmpBox.right()), 3);
    EXPECT_LE(std::abs(wmfBox.bottom() - bmpBox.bottom()), 3);

    if (Installed(QStringLiteral("wmf2svg"))) {
        const QString svg = PathOf(QStringLiteral("check.svg"));
        const ToolOutput toSvg = RunTool(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svg, wmf});
        ASSERT_TRUE(toSvg.Ran);
        EXPECT_EQ(toSvg.ExitCode, 0);
        EXPECT_TRUE(FileBytes(svg).contains("<svg"));
    }
}

TEST_F(Export, EnhancedMetafileStartsWithItsHeaderRecord)
{
    const QString path = PathOf(QStringLiteral("check.emf"));
    ExportAs(400, 300, path);
    ExpectNoMessages();
    const QByteArray bytes = FileBytes(path);
    ASSERT_GE(bytes.size(), 88);
    EXPECT_EQ(U32At(bytes, 0), 1u) << "EMR_HEADER";
    EXPECT_EQ(bytes.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(U32At(bytes, 48), static_cast<quint32>(bytes.size())) << "nBytes";
    // The bounds (inclusive device units) lie within the picture.
    const auto left = static_cast<qint32>(U32At(bytes, 8)), top = static_cast<qint32>(U32At(bytes, 12));
    const auto right = static_cast<qint32>(U32At(bytes, 16)), bottom = static_cast<qint32>(U32At(bytes, 20));
    EXPECT_GE(left, 0);
    EXPECT_GE(top, 0);
    EXPECT_LE(right, 399);
    EXPECT_LE(bottom, 299);
    // The last record is EMR_EOF.
    const quint32 lastSize = U32At(bytes, bytes.size() - 4);
    ASSERT_LE(lastSize, static_cast<quint32>(bytes.size()));
    EXPECT_EQ(U32At(bytes, bytes.size() - lastSize), 14u);
}

} // namespace
