#include "model/fract_file.h"
#include "tests/support/picture_compare.h"
#include "tests/support/small_disk.h"
#include "view/big_float.h"
#include "view/fract_viewer.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <utility>

namespace {

struct ProcessResult {
    int status;
    QString errors;
};

ProcessResult Ornalix(const QStringList& arguments, const QString& configHome, bool runtimeDir = true,
                      const QString& locale = QStringLiteral("C"))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!runtimeDir)
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")); // the export must pick its own
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORNALIX_BINARY), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()).trimmed()};
}

class CommandLineExport : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QString Example(const char* name) const { return QStringLiteral(ORNALIX_EXAMPLES "/") + QLatin1String(name); }

    QTemporaryDir dir;
};

// The window's export of a freshly opened file: the pane's fit, then the
// export's own, then the curve's points as single pixels.
QImage ExpectedPoints(const QString& file, int width, int height)
{
    FractModel generator(10);
    const FractDocument document = LoadFractDocument(file, generator);
    FractViewer viewer(generator, 16384);
    viewer.Depth = document.Depth;
    viewer.Recalculate();
    for (int fit = 0; fit < 2; ++fit) {
        viewer.SetRect({0, 0, width, height});
        viewer.Transform();
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int i = 0; i < viewer.PointCount; ++i) {
        const auto x = static_cast<int>(viewer.Points[i].Re), y = static_cast<int>(viewer.Points[i].Im);
        if (x >= 0 && x < width && y >= 0 && y < height)
            image.setPixel(x, y, qRgb(0, 0, 0));
    }
    return image;
}

TEST_F(CommandLineExport, PointsModeMatchesTheCurvePixelForPixel)
{
    const QString file = Path("points.fract");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("3\r\n0\r\n1\r\n0\r\n0.6\r\n-0.8\r\n-0.28\r\n0.96\r\n0.6\r\n-0.8\r\n");
    out.close();
    const QString bmp = Path("points.bmp");
    ASSERT_EQ(Ornalix({QStringLiteral("--export"), bmp, QStringLiteral("--size"), QStringLiteral("300x170"), file},
                      Path("config"))
                  .status,
              0);
    const QImage written(bmp);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), ExpectedPoints(file, 300, 170));
}

TEST_F(CommandLineExport, LinesUseTheDefaultSizeAndColours)
{
    const QString bmp = Path("start.bmp");
    ASSERT_EQ(Ornalix({QStringLiteral("--export"), bmp, Example("start.fract")}, Path("config")).status, 0);
    const QImage written(bmp);
    ASSERT_EQ(written.size(), QSize(256, 256));
    EXPECT_EQ(written.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_GT(PixelsOf(written, qRgb(0, 0, 0)), 256) << "a connected curve across the picture";
}

// One line each: the program's own message, what it concerns, and why.
TEST_F(CommandLineExport, FailuresExitWithTheProgramsMessageAndTheReason)
{
    const QString start = Example("start.fract");
    const ProcessResult missing = Ornalix({QStringLiteral("--export"), Path("a.bmp"), Path("missing.fract")}, Path("config"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.errors,
              QStringLiteral("Fehlerhaftes Dateiformat: ") + Path("missing.fract") + QStringLiteral(": No such file or directory"));

    for (const char* size : {"0x10", "10x-1", "axb", "10", "99999999x99999999"}) {
        const ProcessResult bad = Ornalix({QStringLiteral("--export"), Path("b.bmp"), QStringLiteral("--size"),
                                 QLatin1String(size), start},
                                Path("config"));
        EXPECT_EQ(bad.status, 2) << size;
        EXPECT_TRUE(bad.errors.startsWith(QStringLiteral("Ungültige Breite bzw. Höhe: ") + QLatin1String(size) + QStringLiteral(": ")))
            << qPrintable(bad.errors);
        EXPECT_FALSE(bad.errors.contains(QLatin1Char('\n'))) << qPrintable(bad.errors);
    }
    EXPECT_FALSE(QFile::exists(Path("b.bmp")));

    const ProcessResult tif = Ornalix({QStringLiteral("--export"), Path("c.tif"), start}, Path("config"));
    EXPECT_EQ(tif.status, 2);
    EXPECT_EQ(tif.errors, QStringLiteral("Nicht unterstütztes Dateiformat: ") + Path("c.tif"));

    EXPECT_EQ(Ornalix({QStringLiteral("--version")}, Path("config")).status, 0);
    EXPECT_EQ(Ornalix({QStringLiteral("--bogus")}, Path("config")).status, 2);
}

// A cron job or a container has no XDG_RUNTIME_DIR, and still hears nothing
// from an export that succeeds, in any format.
TEST_F(CommandLineExport, SuccessIsSilent)
{
    for (const char* name : {"quiet.bmp", "quiet.jpg", "quiet.emf", "quiet.wmf"}) {
        const ProcessResult result =
            Ornalix({QStringLiteral("--export"), Path(name), Example("koch.fract")}, Path("config"), false);
        EXPECT_EQ(result.status, 0) << name;
        EXPECT_EQ(result.errors, QString()) << name;
        EXPECT_TRUE(QFile::exists(Path(name))) << name;
    }
}

// --progress speaks on stderr, here not a terminal: a line for every tenth
// of the rows, to the whole.
TEST_F(CommandLineExport, ProgressIsALineForEveryTenth)
{
    const ProcessResult result = Ornalix({QStringLiteral("--export"), Path("p.png"), QStringLiteral("--size"),
                                          QStringLiteral("300x200"), QStringLiteral("--progress"),
                                          Example("koch.fract")},
                                         Path("config"));
    EXPECT_EQ(result.status, 0);
    QStringList expected;
    for (int tenth = 10; tenth <= 100; tenth += 10)
        expected << QStringLiteral("Writing %1: %2%").arg(Path("p.png")).arg(tenth);
    EXPECT_EQ(result.errors.split(QLatin1Char('\n')), expected);
    EXPECT_EQ(Ornalix({QStringLiteral("--progress"), Example("koch.fract")}, Path("config")).status, 2);
}

// The examples are written with decimal points; a German user opens them all.
TEST_F(CommandLineExport, EveryExampleExportsUnderAGermanLocale)
{
    const QStringList examples = QDir(QStringLiteral(ORNALIX_EXAMPLES)).entryList({QStringLiteral("*.fract")});
    ASSERT_GE(examples.size(), 5);
    for (const QString& name : examples) {
        const QString bmp = dir.filePath(name + QStringLiteral(".bmp"));
        const ProcessResult result = Ornalix({QStringLiteral("--export"), bmp, Example(qPrintable(name))},
                                             Path("config"), true, QStringLiteral("de_DE.UTF-8"));
        EXPECT_EQ(result.status, 0) << qPrintable(name);
        EXPECT_EQ(result.errors, QString()) << qPrintable(name);
        EXPECT_EQ(QImage(bmp).size(), QSize(256, 256)) << qPrintable(name);
    }
}

TEST_F(CommandLineExport, SizesTheFormatCannotHoldAreRefused)
{
    for (const auto& [name, size] : {std::pair("a.emf", "2147483647x10"), std::pair("b.emf", "90000000x10"),
                                     std::pair("c.wmf", "2147483647x10"), std::pair("d.wmf", "10x20000000"),
                                     std::pair("e.bmp", "1431655747x1"), std::pair("f.jpg", "65501x1")}) {
        const ProcessResult result =
            Ornalix({QStringLiteral("--export"), Path(name), QStringLiteral("--size"), QLatin1String(size),
                     Example("start.fract")},
                    Path("config"));
        EXPECT_EQ(result.status, 2) << size;
        EXPECT_EQ(result.errors, QStringLiteral("Ungültige Breite bzw. Höhe: ") + QLatin1String(size)
                                     + QStringLiteral(": picture too large for its format"));
        EXPECT_FALSE(QFile::exists(Path(name))) << name;
    }
}

// A stored size no format can hold is mended on reading; the export goes on
// at the default size.
TEST_F(CommandLineExport, AStoredSizeThatOverflowsIsMended)
{
    QDir().mkpath(Path("config"));
    QFile store(Path("config/Ornalix.conf"));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write("[General]\nexportWidth=2147483647\nexportHeight=10\n");
    store.close();
    const QString bmp = Path("mended.bmp");
    const ProcessResult result = Ornalix({QStringLiteral("--export"), bmp, Example("start.fract")}, Path("config"));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errors, QString());
    EXPECT_EQ(QImage(bmp).size(), QSize(256, 256));
}

TEST_F(CommandLineExport, AFullDiskIsOneLineWithTheSystemsReason)
{
    SmallDisk disk;
    ORNALIX_NEED_SMALL_DISK(disk);
    disk.Write(QStringLiteral("bild.emf"), "old");
    disk.Fill();
    const QString out = disk.Path(QStringLiteral("bild.emf"));
    const ProcessResult result = Ornalix({QStringLiteral("--export"), out, Example("start.fract")}, Path("config"));
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.errors, QStringLiteral("Die Datei kann nicht geschrieben werden: ") + out
                                 + QStringLiteral(": No space left on device"));
    EXPECT_EQ(disk.Read(QStringLiteral("bild.emf")), "old");
    EXPECT_EQ(disk.Files(), (QStringList{QStringLiteral("bild.emf"), QStringLiteral("filler")}));
}

} // namespace

namespace {

// A decimal text that holds every bit of x.
QString DecimalText(const BigFloat& x)
{
    char* text = nullptr;
    mpfr_asprintf(&text, "%.*Re", static_cast<int>(x.Precision() / 3 + 10), x.get());
    const QString result = QString::fromLatin1(text);
    mpfr_free_str(text);
    return result;
}

// g(z) = 3 + (z - 3) / 3 maps the curve onto its last copy, so a window
// and its image 3^200 times smaller show the same.
TEST_F(CommandLineExport, EndlessWindowsOfOneSelfSimilarityExportTheSamePicture)
{
    constexpr mpfr_prec_t kBits = 1024;
    const BigFloat three(3.0, kBits);
    BigFloat x0 = *ParseDecimal("2.83741"), y0 = *ParseDecimal("-0.0712"), x1 = *ParseDecimal("3.06652"),
             y1 = *ParseDecimal("0.0593");
    const auto view = [](const BigFloat& a, const BigFloat& b, const BigFloat& c, const BigFloat& d) {
        return QStringList{DecimalText(a), DecimalText(b), DecimalText(c), DecimalText(d)}.join(QLatin1Char(','));
    };
    const QString near = view(x0, y0, x1, y1);
    for (int k = 0; k < 200; ++k) {
        x0 = three + (Rounded(x0, kBits) - three) / three;
        x1 = three + (Rounded(x1, kBits) - three) / three;
        y0 = Rounded(y0, kBits) / three;
        y1 = Rounded(y1, kBits) / three;
    }
    const QString file = Example("quadratic-koch.fract");
    for (const auto& [name, window] : {std::pair{"near.bmp", near}, std::pair{"far.bmp", view(x0, y0, x1, y1)}})
        ASSERT_EQ(Ornalix({"--export", Path(name), "--size", "200x150", "--endless", "--view", window, file},
                          Path("config"))
                      .status,
                  0)
            << name;
    const QImage picture(Path("near.bmp"));
    EXPECT_EQ(QImage(Path("far.bmp")), picture);
    EXPECT_GT(PixelsOf(picture, qRgb(0, 0, 0)), 500) << "the picture shows the curve";
}

TEST_F(CommandLineExport, EndlessFailuresAreOneLineAndWriteNothing)
{
    const QString koch = Example("koch.fract");
    QFile turned(Path("turned.fract"));
    ASSERT_TRUE(turned.open(QIODevice::WriteOnly));
    turned.write("1\r\n-1\r\n1\r\n0\r\n0\r\n1\r\n");
    turned.close();
    const struct {
        QStringList arguments;
        QString line;
    } rows[] = {
        {{"--endless", koch}, "--endless belongs to --export or --record"},
        {{"--export", Path("a.bmp"), "--view", "0,0,1,1", koch}, "--view belongs to --export --endless"},
        {{"--export", Path("a.bmp"), "--endless", "--view", "0,0,1", koch},
         "--view needs four decimal numbers X0,Y0,X1,Y1"},
        {{"--export", Path("a.bmp"), "--endless", "--view", "0,0,1e,1", koch},
         "--view needs four decimal numbers X0,Y0,X1,Y1"},
        {{"--export", Path("a.bmp"), "--endless", "--view", "0,0,inf,1", koch},
         "--view needs four decimal numbers X0,Y0,X1,Y1"},
        {{"--export", Path("a.bmp"), "--endless", "--view", "1.5,2,1.50,2.0", koch},
         "--view needs a window of some width or height"},
        {{"--export", Path("a.bmp"), "--endless", Path("turned.fract")},
         "Endloser Zoom nur mit letzter Kante (1; 0): " + Path("turned.fract")},
        {{"--export", Path("a.bmp"), "--endless", "--view", "0,0,1e-1000,1e-1000", koch},
         "--view is narrower than the endless view draws: at most 1e1000 times the full view"},
        {{"--export", Path("a.bmp"), "--endless", "--view", "0,0,1e-9000,1e-9000", koch},
         "--view is narrower than the endless view draws: at most 1e1000 times the full view"},
    };
    for (const auto& row : rows) {
        const ProcessResult result = Ornalix(row.arguments, Path("config"));
        EXPECT_EQ(result.status, 2) << qPrintable(row.arguments.join(' '));
        EXPECT_EQ(result.errors, row.line);
        EXPECT_FALSE(QFile::exists(Path("a.bmp")));
    }
}

// The deepest view drawn shows the curve, within the memory a deep
// descent may take.
TEST_F(CommandLineExport, TheDeepestEndlessViewShowsTheCurveInBoundedMemory)
{
    for (const char* file : {"koch.fract", "cesaro.fract"}) {
        rusage before{};
        ::getrusage(RUSAGE_CHILDREN, &before);
        ASSERT_EQ(Ornalix({"--export", Path("deep.bmp"), "--size", "320x240", "--endless", "--view",
                           "-2e-1000,-2e-1000,4e-1000,2e-1000", Example(file)},
                          Path("config"))
                      .status,
                  0)
            << file;
        rusage after{};
        ::getrusage(RUSAGE_CHILDREN, &after);
        EXPECT_GT(PixelsOf(QImage(Path("deep.bmp")), qRgb(0, 0, 0)), 100) << file;
        constexpr long kMemoryKilobytes = 1L << 20;
        EXPECT_LT(after.ru_maxrss, kMemoryKilobytes) << file;
    }
}

// A program run from its build finds the gallery in the source tree.
TEST(CommandLine, HelpNamesTheGallerysFolder)
{
    QProcess process;
    process.start(QStringLiteral(ORNALIX_BINARY), {QStringLiteral("--help")});
    process.waitForFinished();
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains(QStringLiteral(ORNALIX_EXAMPLES "/gallery")));
}

} // namespace
