// The writer's properties, the frame format in the file's headers and the
// writing of the clip.
#include "output/avi/avi_writer.h"
#include "tests/support/cancelling_progress.h"
#include "tests/support/clip_reader.h"
#include "tests/support/message_of.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// strh, strf and avih data offsets
constexpr int kScale = 20;
constexpr int kRate = 24;
constexpr int kLength = 32;
constexpr int kImageSize = 20;
constexpr int kBitCount = 14;
constexpr int kTotalFrames = 16;
constexpr int kAvihWidth = 32;

class AviWriterTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

    QByteArray RecordFile(int width, int height, TPixelFormat format, const QList<QImage>& pictures)
    {
        writer_.Width = width;
        writer_.Height = height;
        writer_.PixelFormat = format;
        Record(writer_, pictures, Path("clip.avi"));
        return ReadBytes(Path("clip.avi"));
    }

    QTemporaryDir dir_;
    TAviWriter2 writer_;
};

QList<QRgb> TableOf(const QByteArray& file)
{
    const QByteArray strf = FirstChunk(file, "strf");
    QList<QRgb> colours;
    for (qsizetype at = 40; at + 4 <= strf.size(); at += 4)
        colours.append(qRgb(uchar(strf[at + 2]), uchar(strf[at + 1]), uchar(strf[at])));
    return colours;
}

TEST(AviWriterDefaults, FollowTheScreenAndTheDocumentedValues)
{
    TAviWriter2 writer;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(writer.Width, screen.width() / 10);
    EXPECT_EQ(writer.Height, screen.height() / 10);
    EXPECT_EQ(writer.FrameTime, 1000);
    EXPECT_TRUE(writer.Stretch);
    EXPECT_EQ(writer.PixelFormat, pfDevice);
    EXPECT_TRUE(writer.FileName.isEmpty());
    EXPECT_TRUE(writer.WavFileName().isEmpty());
    EXPECT_EQ(writer.FrameIndex(), 0);
}

TEST_F(AviWriterTest, FrameTimeIsTheScaleOverARateOf1000)
{
    writer_.FrameTime = 50;
    const QByteArray file = RecordFile(16, 8, pf1bit, {TwoColourPicture(16, 8, 0), TwoColourPicture(16, 8, 1)});
    const QByteArray strh = FirstChunk(file, "strh");
    EXPECT_EQ(strh.left(4), "vids");
    EXPECT_EQ(U32At(strh, kScale), 50u);
    EXPECT_EQ(U32At(strh, kRate), 1000u);
    EXPECT_EQ(U32At(strh, kLength), 2u);
    EXPECT_EQ(U32At(FirstChunk(file, "avih"), 0), 50000u);
}

// Rows padded to whole 32-bit words; the colour table of 2^bits entries.
TEST_F(AviWriterTest, FrameFormatInTheHeadersAndChunks)
{
    struct Case {
        TPixelFormat Format;
        int Width, Height;
        int HeaderSize; // with the colour table
        std::uint16_t Bits;
        std::uint32_t ImageSize;
    };
    const Case cases[] = {
        {pf1bit, 102, 76, 48, 1, 1216}, // 102 bits a row rounded up to 128
        {pf8bit, 10, 3, 1064, 8, 36},
        {pf24bit, 10, 10, 40, 24, 320}, // 30 bytes a row rounded up to 32
    };
    for (const Case& c : cases) {
        const QList<QImage> pictures{TwoColourPicture(c.Width, c.Height, 0), TwoColourPicture(c.Width, c.Height, 5),
                                     TwoColourPicture(c.Width, c.Height, 9)};
        const QByteArray file = RecordFile(c.Width, c.Height, c.Format, pictures);
        const QByteArray strf = FirstChunk(file, "strf");
        EXPECT_EQ(strf.size(), c.HeaderSize) << c.Format;
        EXPECT_EQ(U16At(strf, kBitCount), c.Bits);
        EXPECT_EQ(U32At(strf, kImageSize), c.ImageSize);
        EXPECT_EQ(U32At(file, file.indexOf("00db") + 4), c.ImageSize);
        const QByteArray avih = FirstChunk(file, "avih");
        EXPECT_EQ(U32At(avih, kAvihWidth), std::uint32_t(c.Width));
        EXPECT_EQ(U32At(avih, kAvihWidth + 4), std::uint32_t(c.Height));
        // Players take a total that differs from the index for a broken index.
        EXPECT_EQ(U32At(avih, kTotalFrames), 3u);
        EXPECT_EQ(FirstChunk(file, "idx1").size(), 3 * 16);
    }
}

TEST_F(AviWriterTest, ColourTableKeepsTheFirstFramesColours)
{
    const QRgb red = qRgb(200, 0, 0);
    const QRgb blue = qRgb(0, 0, 90);
    QList<QRgb> table = TableOf(RecordFile(20, 10, pf1bit, {TwoColourPicture(20, 10, 2, red, blue)}));
    EXPECT_EQ(table, (QList<QRgb>{red, blue}));

    QImage dark(8, 8, QImage::Format_RGB32);
    dark.fill(blue);
    EXPECT_EQ(TableOf(RecordFile(8, 8, pf1bit, {dark})), (QList<QRgb>{blue, qRgb(255, 255, 255)}));
    QImage light(8, 8, QImage::Format_RGB32);
    light.fill(qRgb(250, 250, 100));
    EXPECT_EQ(TableOf(RecordFile(8, 8, pf1bit, {light})), (QList<QRgb>{qRgb(250, 250, 100), qRgb(0, 0, 0)}));

    table = TableOf(RecordFile(20, 10, pf4bit, {TwoColourPicture(20, 10, 2, red, blue)}));
    ASSERT_EQ(table.size(), 16);
    EXPECT_EQ(table.mid(0, 2), (QList<QRgb>{red, blue}));
}

TEST_F(AviWriterTest, TooManyColoursGiveTheFixedPalette)
{
    QImage gradient(300, 2, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 2; ++y)
            gradient.setPixel(x, y, qRgb(x % 256, x / 2, 7));
    QList<QRgb> table = TableOf(RecordFile(300, 2, pf8bit, {gradient}));
    ASSERT_EQ(table.size(), 256);
    EXPECT_EQ(table[0], qRgb(0, 0, 0));
    EXPECT_EQ(table[215], qRgb(255, 255, 255));
    EXPECT_EQ(table[216 + 19], qRgb(124, 124, 124));
    table = TableOf(RecordFile(300, 2, pf4bit, {gradient}));
    EXPECT_EQ(table[7], qRgb(192, 192, 192));
    table = TableOf(RecordFile(300, 2, pf1bit, {gradient}));
    EXPECT_EQ(table, (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
}

TEST_F(AviWriterTest, UnwritablePixelFormatsFailAtTheFirstFrame)
{
    for (TPixelFormat format : {pfDevice, pf15bit, pf16bit, pf32bit, pfCustom}) {
        writer_.PixelFormat = format;
        writer_.FileName = Path("clip.avi");
        writer_.OpenVideo();
        EXPECT_EQ(MessageOf<AviError>([&] { writer_.AddFrame(TwoColourPicture(8, 8, 0)); }), "Invalid pixel foramt");
        EXPECT_EQ(writer_.FrameIndex(), 0);
        writer_.CloseVideo();
    }
}

TEST_F(AviWriterTest, UnscaledPictureLeavesTheRestInItsTopLeftColour)
{
    writer_.Stretch = false;
    QImage small = TwoColourPicture(20, 10, 3, qRgb(0, 128, 0), qRgb(255, 255, 0));
    small.setPixel(0, 0, qRgb(200, 0, 0));
    RecordFile(40, 30, pf24bit, {small});
    const QList<QImage> frames = DecodeFrames(Path("clip.avi"));
    ASSERT_EQ(frames.size(), 1);
    EXPECT_TRUE(SamePixels(frames[0].copy(0, 0, 20, 10), small));
    EXPECT_EQ(frames[0].pixel(39, 29), qRgb(200, 0, 0));
    EXPECT_EQ(frames[0].pixel(20, 0), qRgb(200, 0, 0));
    EXPECT_EQ(frames[0].pixel(0, 10), qRgb(200, 0, 0));
}

TEST_F(AviWriterTest, EachRecordingHasItsOwnSize)
{
    RecordFile(30, 20, pf1bit, {TwoColourPicture(64, 64, 1)});
    QFile::rename(Path("clip.avi"), Path("first.avi"));
    RecordFile(50, 40, pf1bit, {TwoColourPicture(64, 64, 2), TwoColourPicture(64, 64, 3)});
    const auto first = Probe(Path("first.avi"), "v:0");
    const auto second = Probe(Path("clip.avi"), "v:0");
    EXPECT_EQ(first["width"], "30");
    EXPECT_EQ(first["height"], "20");
    EXPECT_EQ(second["width"], "50");
    EXPECT_EQ(second["height"], "40");
    EXPECT_EQ(second["nb_read_frames"], "2");
}

TEST(AviWavName, AcceptsWavInAnyCaseAndKeepsTheOldNameOtherwise)
{
    TAviWriter2 writer;
    writer.SetWavFileName("/music/Sound.WAV");
    EXPECT_EQ(writer.WavFileName(), "/music/Sound.WAV");
    writer.SetWavFileName("/MUSIC/sound.wav"); // the same name: nothing changes
    EXPECT_EQ(writer.WavFileName(), "/music/Sound.WAV");
    for (const char* name : {"/music/sound.mp3", "/music/sound", "/music/sound.wav.txt"}) {
        EXPECT_EQ(MessageOf<AviError>([&] { writer.SetWavFileName(name); }),
                  "WavFileName must name a file with the .wav extension")
            << name;
        EXPECT_EQ(writer.WavFileName(), "/music/Sound.WAV");
    }
    writer.SetWavFileName(""); // switches the sound off
    EXPECT_TRUE(writer.WavFileName().isEmpty());
}

TEST_F(AviWriterTest, FinishingNeedsAnOpenRecordingWithAFrame)
{
    EXPECT_EQ(MessageOf<AviError>([&] { writer_.FinishVideo(); }), "Could not create Video Stream");
    writer_.PixelFormat = pf1bit;
    writer_.FileName = Path("none.avi");
    writer_.OpenVideo();
    EXPECT_EQ(MessageOf<AviError>([&] { writer_.FinishVideo(); }), "Unable to write output file");
    EXPECT_FALSE(QFile::exists(Path("none.avi")));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty());
    writer_.CloseVideo();
}

TEST_F(AviWriterTest, FrameTimeMustBePositive)
{
    writer_.FrameTime = 0;
    EXPECT_EQ(MessageOf<AviError>([&] { writer_.OpenVideo(); }), "Failed to create AVI video stream");
    writer_.CloseVideo();
}

// Whole or not at all: cancelled while writing, the writer leaves the
// older clip as it was and no part of the new one, and can finish later.
TEST_F(AviWriterTest, FinishingGivesUpWhenCancelled)
{
    const QString clip = Path("clip.avi");
    ASSERT_TRUE(WriteBytes(clip, "an older clip"));
    writer_.PixelFormat = pf1bit;
    writer_.FileName = clip;
    writer_.OpenVideo();
    for (int n = 0; n < 5; ++n)
        writer_.AddFrame(TwoColourPicture(32, 32, n));
    for (int stopAt : {1, 3}) { // before the first chunk, amid them
        CancelAt cancelled(stopAt);
        EXPECT_THROW(writer_.FinishVideo(cancelled), WorkCancelled) << stopAt;
        EXPECT_EQ(ReadBytes(clip), "an older clip");
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"clip.avi"});
    }
    writer_.FinishVideo();
    writer_.CloseVideo();
    EXPECT_EQ(Probe(clip, "v:0")["nb_read_frames"], "5");
}

} // namespace
