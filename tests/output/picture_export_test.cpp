#include "model/start_generator.h"
#include "output/picture_export.h"
#include "tests/support/metafile_reader.h"
#include "tests/support/picture_compare.h"
#include "tests/support/tool_runner.h"
#include "view/curve_renderer.h"
#include "view/fract_viewer.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define ORNALIX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORNALIX_ADDRESS_SANITIZER 1
#endif
#endif

// The files WritePicture makes, as programs we did not write read them.

namespace {

// 96 pixels to the inch.
const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 285.75)};

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

// The start curve at depth 3, black on white, fitted to each picture.
class PictureFiles : public ::testing::Test {
protected:
    PictureFiles()
    {
        MakeStartGenerator(generator);
        viewer.Depth = 3;
        viewer.Recalculate();
    }

    QString Write(const char* name, int width, int height)
    {
        const QString path = dir.filePath(QLatin1String(name));
        WritePicture(*renderer.Picture(ViewPlacement::FittedTo({0, 0, width, height}), viewer.Style(true)), width,
                     height, path, kScreen);
        return path;
    }

    QStringList FilesMade() const { return QDir(dir.path()).entryList(QDir::Files); }

    FractModel generator{kGeneratorCapacity};
    FractViewer viewer{generator, kCurveCapacity};
    CurveRenderer renderer{viewer};
    QTemporaryDir dir;
};

TEST(PictureFormatOf, TheExtensionInAnyCaseNamesTheFormat)
{
    const std::pair<const char*, PictureFormat> names[] = {
        {"PICTURE.BMP", PictureFormat::Bmp},    {"a.Jpg", PictureFormat::Jpeg},        {"a.WMF", PictureFormat::Wmf},
        {"a.emf", PictureFormat::Emf},          {"a.PNG", PictureFormat::Png},         {"a.svg", PictureFormat::Svg},
        {"a.Pdf", PictureFormat::Pdf},          {"clip.Avi", PictureFormat::Avi},      {"clip.MP4", PictureFormat::Mp4},
        {"clip.webm", PictureFormat::WebM},     {"clip.Gif", PictureFormat::Gif},      {"a.tif", PictureFormat::Unsupported},
        {"a.jpeg", PictureFormat::Unsupported}, {"noextension", PictureFormat::Unsupported},
        {"a.bmpx", PictureFormat::Unsupported}, {"a.avix", PictureFormat::Unsupported},
        {"a.", PictureFormat::Unsupported},     {"a.bmp.gz", PictureFormat::Unsupported},
        {"sub.bmp/plain", PictureFormat::Unsupported}};
    for (const auto& [name, format] : names)
        EXPECT_EQ(PictureFormatOf(QString::fromLatin1(name)), format) << name;
}

TEST_F(PictureFiles, EachFormatIsWrittenWholeAtTheSize)
{
    const std::pair<const char*, QByteArray> formats[] = {{"PICTURE.BMP", "BM"},
                                                          {"picture.Jpg", "\xFF\xD8"},
                                                          {"picture.WMF", QByteArray("\xD7\xCD\xC6\x9A", 4)},
                                                          {"picture.Emf", QByteArray("\x01\0\0\0", 4)}};
    for (const auto& [name, magic] : formats)
        EXPECT_TRUE(ReadBytes(Write(name, 300, 200)).startsWith(magic)) << name;
    EXPECT_EQ(QImageReader(dir.filePath(QStringLiteral("PICTURE.BMP"))).size(), QSize(300, 200));
    EXPECT_EQ(QImageReader(dir.filePath(QStringLiteral("picture.Jpg"))).size(), QSize(300, 200));
    const QByteArray emf = ReadBytes(dir.filePath(QStringLiteral("picture.Emf")));
    ASSERT_GE(emf.size(), 88);
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(U32At(emf, 48), static_cast<quint32>(emf.size())) << "written whole";
    EXPECT_EQ(QRect(QPoint(I32At(emf, 8), I32At(emf, 12)), QPoint(I32At(emf, 16), I32At(emf, 20))),
              QRect(0, 0, 300, 200)) << "the bounds are the picture";
}

TEST_F(PictureFiles, NoPictureOrNoFolderIsAnErrorAndLeavesNoFile)
{
    const std::tuple<int, int, const char*> cases[] = {{0, 100, "bad."},  {100, 0, "bad."}, {-5, 100, "bad."},
                                                       {100, -5, "bad."}, {0, 0, "bad."},   {200, 100, "no-such-folder/p."}};
    for (const char* ext : {"bmp", "jpg", "wmf", "emf"}) {
        for (const auto& [w, h, name] : cases) {
            SCOPED_TRACE(testing::Message() << w << "x" << h << " " << name << ext);
            const std::string file = std::string(name) + ext;
            try {
                Write(file.c_str(), w, h);
                ADD_FAILURE() << "no error";
            } catch (const PictureSizeError&) {
                EXPECT_TRUE(w <= 0 || h <= 0) << "a missing folder is no size error";
            } catch (const ExportError&) {
                EXPECT_TRUE(w > 0 && h > 0);
            }
        }
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// Raster pictures are drawn a band at a time: a picture far larger than the
// memory left is written all the same, and only a single row too large for
// it is refused.
TEST_F(PictureFiles, LargePicturesNeedLittleMemoryAndRunningOutIsASizeError)
{
#ifdef ORNALIX_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer ends the program when an allocation fails";
#endif
    // 8000 by 8000 pixels alone would take 256 MB.
    const std::tuple<int, int, const char*> cases[] = {{8000, 8000, "large.bmp"}, {8000, 8000, "large.jpg"},
                                                       {100000000, 1, "wide.bmp"}};
    for (const auto& [w, h, name] : cases) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QLatin1String(name));
        const AddressSpaceLimit limit(qint64{160} << 20); // well below those 256 MB
        ASSERT_TRUE(limit.Active());
        if (h == 1) {
            EXPECT_THROW(Write(name, w, h), PictureSizeError);
        } else {
            Write(name, w, h);
            EXPECT_EQ(QImageReader(path).size(), QSize(w, h));
            QFile::remove(path);
        }
    }
    EXPECT_TRUE(FilesMade().isEmpty()) << FilesMade().join(QStringLiteral(", ")).toStdString();
}

// The header's bytes are tested on the writer (bmp_header_test).
TEST_F(PictureFiles, AnotherProgramReadsTheBitmapAsOurs)
{
    if (!ToolAvailable(QStringLiteral("identify")))
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    const QString path = Write("check.bmp", 301, 203);
    const ToolResult id =
        RunTool(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %w %h %[compression]"), path});
    EXPECT_EQ(id.ExitCode, 0);
    EXPECT_EQ(id.Output, QByteArray("BMP3 301 203 None")) << "BMP3: the 40-byte header of Windows 3";
    const QString png = dir.filePath(QStringLiteral("check-from-bmp.png"));
    ASSERT_EQ(RunTool(QStringLiteral("convert"), {path, png}).ExitCode, 0);
    EXPECT_EQ(DifferentPixels(QImage(png), QImage(path)), 0);
}

// Black on white: still three components, not one grey channel.
TEST_F(PictureFiles, TheJpegIsBaselineQualityNinetyInThreeColours)
{
    if (!ToolAvailable(QStringLiteral("identify")))
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    const QString path = Write("check.jpg", 320, 240);
    const ToolResult id = RunTool(QStringLiteral("identify"),
                                  {QStringLiteral("-format"), QStringLiteral("%m %w %h %Q %[interlace] %[colorspace] %[channels]"), path});
    EXPECT_EQ(id.ExitCode, 0);
    EXPECT_EQ(id.Output, QByteArray("JPEG 320 240 90 None sRGB srgb")) << "red, green and blue; neither grey nor alpha";
    const QRect jpeg = DarkBox(QImage(path)), bmp = DarkBox(QImage(Write("check.bmp", 320, 240)));
    EXPECT_LE((jpeg.topLeft() - bmp.topLeft()).manhattanLength(), 2);
    EXPECT_LE((jpeg.bottomRight() - bmp.bottomRight()).manhattanLength(), 2);
}

} // namespace
