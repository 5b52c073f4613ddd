// Clips read back by ffprobe and decoded by ffmpeg, tools we did not write.
#include "output/avi/avi_writer.h"
#include "output/avi/clip_writer.h"
#include "output/avi/frame_format.h"
#include "output/avi/frame_packer.h"
#include "tests/support/clip_reader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class ReadbackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ToolAvailable("ffprobe") || !ToolAvailable("ffmpeg"))
            GTEST_SKIP() << "ffprobe and ffmpeg are needed (scripts/install-deps test)";
    }

    QString Path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

    // A WAV file made by ffmpeg: a tone of the given length.
    QString Tone(const char* name, double seconds, const QStringList& coding)
    {
        const QString path = Path(name);
        RunTool("ffmpeg", QStringList{"-v", "error", "-f", "lavfi", "-i",
                                      QStringLiteral("sine=frequency=440:duration=%1").arg(seconds)}
                              + coding + QStringList{path});
        return path;
    }

    QTemporaryDir dir_;
    TAviWriter2 writer_;
};

QList<QImage> Pictures(int count, int width, int height)
{
    QList<QImage> pictures;
    for (int n = 0; n < count; ++n)
        pictures.append(TwoColourPicture(width, height, n * 3));
    return pictures;
}

TEST_F(ReadbackTest, OneBitClipDecodesToTheSamePictures)
{
    writer_.Width = 102;
    writer_.Height = 76;
    writer_.FrameTime = 50;
    writer_.PixelFormat = pf1bit;
    const QList<QImage> pictures = Pictures(12, 102, 76);
    Record(writer_, pictures, Path("clip.avi"));
    const auto video = Probe(Path("clip.avi"), "v:0");
    EXPECT_EQ(video["codec_name"], "rawvideo");
    EXPECT_EQ(video["pix_fmt"], "pal8");
    EXPECT_EQ(video["width"], "102");
    EXPECT_EQ(video["height"], "76");
    EXPECT_EQ(video["r_frame_rate"], "20/1");
    EXPECT_EQ(video["nb_read_frames"], "12");
    EXPECT_EQ(StreamCount(Path("clip.avi")), 1);
    const QList<QImage> frames = DecodeFrames(Path("clip.avi"));
    ASSERT_EQ(frames.size(), pictures.size());
    for (int i = 0; i < frames.size(); ++i)
        EXPECT_TRUE(SamePixels(frames[i], pictures[i])) << "frame " << i;
}

TEST_F(ReadbackTest, EveryDepthDecodesExactlyAndScalesToTheFrame)
{
    writer_.FrameTime = 15;
    QImage colourful(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            colourful.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) % 3 * 100));
    // 16 colours: the table of a 4-bit stream holds them all.
    QImage sixteen(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            sixteen.setPixel(x, y, qRgb(x / 4 * 16, 0, 255 - x / 4 * 16));
    const QList<std::pair<TPixelFormat, QImage>> cases{{pf4bit, sixteen}, {pf24bit, colourful}};
    for (const auto& [format, picture] : cases) {
        writer_.Width = 128; // twice the picture: each pixel becomes four
        writer_.Height = 96;
        writer_.PixelFormat = format;
        Record(writer_, {picture}, Path("clip.avi"));
        EXPECT_EQ(Probe(Path("clip.avi"), "v:0")["r_frame_rate"], "200/3");
        const QList<QImage> frames = DecodeFrames(Path("clip.avi"));
        ASSERT_EQ(frames.size(), 1);
        EXPECT_TRUE(SamePixels(frames[0], picture.scaled(128, 96))) << format;
    }
}

TEST_F(ReadbackTest, LaterColoursMapToTheNearestTableEntry)
{
    writer_.Width = 32;
    writer_.Height = 32;
    const QImage first = TwoColourPicture(32, 32, 0, qRgb(10, 10, 10), qRgb(250, 250, 250));
    const QImage later = TwoColourPicture(32, 32, 0, qRgb(60, 20, 20), qRgb(200, 255, 220));
    for (TPixelFormat format : {pf1bit, pf8bit}) {
        writer_.PixelFormat = format;
        Record(writer_, {first, later}, Path("clip.avi"));
        const QList<QImage> frames = DecodeFrames(Path("clip.avi"));
        ASSERT_EQ(frames.size(), 2);
        EXPECT_TRUE(SamePixels(frames[1], first)) << format;
    }
}

TEST_F(ReadbackTest, SoundFromAWavFileIsASecondStream)
{
    writer_.Width = 40;
    writer_.Height = 30;
    writer_.FrameTime = 100;
    writer_.PixelFormat = pf1bit;
    writer_.SetWavFileName(Tone("tone.wav", 3.5, {"-ar", "8000", "-c:a", "pcm_s16le"}));
    Record(writer_, Pictures(30, 40, 30), Path("clip.avi"));
    EXPECT_EQ(StreamCount(Path("clip.avi")), 2);
    const auto audio = Probe(Path("clip.avi"), "a:0");
    EXPECT_EQ(audio["codec_name"], "pcm_s16le");
    EXPECT_EQ(audio["sample_rate"], "8000");
    EXPECT_NEAR(SoundSeconds(Path("clip.avi")), 3.5, 0.001);
    EXPECT_EQ(Probe(Path("clip.avi"), "v:0")["nb_read_frames"], "30");
    // About once a second, the first before the first frame.
    const QByteArray file = ReadBytes(Path("clip.avi"));
    EXPECT_EQ(CountOf(file, "01wb"), 4 + 4); // chunks and their idx1 entries
    EXPECT_LT(file.indexOf("01wb"), file.indexOf("00db"));
    EXPECT_LT(file.indexOf("01wb", file.indexOf("00db")), file.indexOf("idx1"));
}

// Integer and floating-point samples, plain and extensible, play as they
// were.
TEST_F(ReadbackTest, EveryPcmCodingPlays)
{
    struct Case {
        const char* Codec;
        QStringList Coding;
    };
    const Case cases[] = {
        {"pcm_s24le", {"-ar", "48000", "-ac", "2", "-c:a", "pcm_s24le"}}, // extensible
        {"pcm_f32le", {"-ar", "22050", "-c:a", "pcm_f32le"}},
        {"pcm_f64le", {"-ar", "8000", "-ac", "2", "-c:a", "pcm_f64le"}},
    };
    writer_.Width = 16;
    writer_.Height = 16;
    writer_.PixelFormat = pf1bit;
    for (const Case& c : cases) {
        const QByteArray name = QByteArray(c.Codec) + ".wav";
        writer_.SetWavFileName(Tone(name.constData(), 1, c.Coding));
        Record(writer_, Pictures(2, 16, 16), Path("clip.avi"));
        EXPECT_EQ(Probe(Path("clip.avi"), "a:0")["codec_name"], c.Codec);
        EXPECT_NEAR(SoundSeconds(Path("clip.avi")), 1.0, 0.001) << c.Codec;
    }
}

struct RiffChunk {
    QByteArray Id;
    std::uint32_t Size = 0;
    qsizetype Offset = 0; // of its header
};

// Every chunk of the RIFF tree between begin and end, lists opened: each
// chunk, with the zero byte that pads an odd one, must end inside its list,
// and the last must end exactly where the list does.
void WalkRiff(const QByteArray& file, qsizetype begin, qsizetype end, QList<RiffChunk>& chunks)
{
    qsizetype at = begin;
    while (at < end) {
        ASSERT_LE(at + 8, end) << "a chunk header runs past its list at " << at;
        const RiffChunk chunk{file.mid(at, 4), U32At(file, at + 4), at};
        const qsizetype next = at + 8 + chunk.Size + (chunk.Size & 1);
        ASSERT_LE(next, end) << chunk.Id.constData() << " at " << at << " runs past its list";
        if (chunk.Size & 1) {
            ASSERT_EQ(file[next - 1], '\0') << "pad byte of " << chunk.Id.constData() << " at " << at;
        }
        chunks.append(chunk);
        if (chunk.Id == "RIFF" || chunk.Id == "LIST")
            WalkRiff(file, at + 12, at + 8 + chunk.Size, chunks);
        at = next;
    }
    ASSERT_EQ(at, end);
}

// 8-bit mono sound at 11,025 Hz comes in chunks of 11,025 bytes: each padded
// to an even length, with the index pointing at every chunk as it stands.
TEST_F(ReadbackTest, OddSoundChunksArePaddedAndTheTreeHolds)
{
    writer_.Width = 16;
    writer_.Height = 16;
    writer_.FrameTime = 100;
    writer_.PixelFormat = pf1bit;
    writer_.SetWavFileName(Tone("odd.wav", 2.5, {"-ar", "11025", "-ac", "1", "-c:a", "pcm_u8"}));
    Record(writer_, Pictures(25, 16, 16), Path("clip.avi"));
    const QByteArray file = ReadBytes(Path("clip.avi"));
    QList<RiffChunk> chunks;
    WalkRiff(file, 0, file.size(), chunks);
    ASSERT_EQ(chunks.value(0).Id, "RIFF");
    EXPECT_EQ(8 + chunks[0].Size, std::uint32_t(file.size()));
    int oddSound = 0;
    for (const RiffChunk& c : chunks)
        oddSound += c.Id == "01wb" && (c.Size & 1);
    EXPECT_GE(oddSound, 2);
    const QByteArray idx1 = FirstChunk(file, "idx1");
    const qsizetype moviType = file.indexOf("movi");
    ASSERT_EQ(idx1.size(), (25 + 3) * 16);
    for (qsizetype e = 0; e < idx1.size(); e += 16) {
        const qsizetype at = moviType + U32At(idx1, e + 8);
        EXPECT_EQ(file.mid(at, 4), idx1.mid(e, 4)) << "entry " << e / 16;
        EXPECT_EQ(U32At(file, at + 4), U32At(idx1, e + 12)) << "entry " << e / 16;
    }
    EXPECT_NEAR(SoundSeconds(Path("clip.avi")), 2.5, 0.001);
    EXPECT_EQ(Probe(Path("clip.avi"), "v:0")["nb_read_frames"], "25");
}

// The OpenDML layout, with RIFF parts made small so that a few frames need
// several of them.
TEST_F(ReadbackTest, ClipPastTheRiffLimitContinuesInOpenDmlParts)
{
    constexpr int kFrames = 100;
    const QList<QImage> pictures = Pictures(kFrames, 64, 128);
    FramePacker packer(pictures[0], 1);
    QList<QByteArray> rows;
    for (const QImage& picture : pictures)
        rows.append(packer.Pack(picture));
    ClipVideo video;
    video.Frames = [&rows](std::int32_t index, char* data, QString&) {
        std::memcpy(data, rows[index].constData(), rows[index].size());
        return true;
    };
    video.Format = FrameHeader(64, 128, 1, packer.Colours());
    video.Width = 64;
    video.Height = 128;
    video.FrameTime = 40;
    video.FrameCount = kFrames;
    video.FrameSize = 8 * 128;
    QFile out(Path("clip.avi"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ClipWriter(out, video, nullptr, 16 * 1024).Write();
    out.close();

    const QByteArray file = ReadBytes(Path("clip.avi"));
    EXPECT_GE(CountOf(file, "AVIX"), 5);
    EXPECT_EQ(U32At(FirstChunk(file, "dmlh"), 0), std::uint32_t(kFrames));
    const std::uint32_t legacy = FirstChunk(file, "idx1").size() / 16;
    EXPECT_LT(legacy, std::uint32_t(kFrames));
    EXPECT_EQ(U32At(FirstChunk(file, "avih"), 16), legacy);
    EXPECT_EQ(Probe(Path("clip.avi"), "v:0")["nb_read_frames"], QString::number(kFrames));
    const QList<QImage> frames = DecodeFrames(Path("clip.avi"));
    ASSERT_EQ(frames.size(), kFrames);
    for (int i : {0, kFrames / 2, kFrames - 1})
        EXPECT_TRUE(SamePixels(frames[i], pictures[i])) << "frame " << i;
}

TEST_F(ReadbackTest, ClipUnderTheLimitIsPlainAvi)
{
    writer_.Width = 64;
    writer_.Height = 64;
    writer_.PixelFormat = pf1bit;
    Record(writer_, Pictures(3, 64, 64), Path("clip.avi"));
    const QByteArray file = ReadBytes(Path("clip.avi"));
    EXPECT_EQ(CountOf(file, "AVIX"), 0);
    EXPECT_EQ(CountOf(file, "indx"), 0);
    EXPECT_EQ(CountOf(file, "odml"), 0);
    EXPECT_EQ(CountOf(file, "idx1"), 1);
}

} // namespace
