// WAV files as they come in the wild, and hostile ones.
#include "output/avi/avi_error.h"
#include "output/avi/avi_writer.h"
#include "output/avi/wav_reader.h"
#include "tests/support/clip_reader.h"
#include "tests/support/message_of.h"
#include "tests/support/wav_bytes.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char* const kCorrupt = "The file could not be read, indicating a corrupt file or an unrecognized format.";

WavAudio Read(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadWav(buffer);
}

QString WavMessageOf(const QByteArray& bytes)
{
    return MessageOf<AviError>([&bytes] { Read(bytes); });
}

// Reads up to a point, then fails like a disk.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QByteArray bytes, qint64 failAt)
        : bytes_(std::move(bytes))
        , failAt_(failAt)
    {
        open(QIODevice::ReadOnly);
    }
    qint64 size() const override { return bytes_.size(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (pos() + maxSize > failAt_)
            return -1;
        std::memcpy(data, bytes_.constData() + pos(), maxSize);
        return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 failAt_;
};

const QByteArray kSamples(1000, '\x10');

TEST(WavReader, FindsChunksInAnyOrderAndSkipsOthers)
{
    const QByteArray info = Chunk("LIST", QByteArray("INFO") + Chunk("ISFT", "odd"));
    const WavAudio audio = Read(Wave(info + Chunk("junk", "x") + Chunk("data", kSamples) + Chunk("fmt ", Format(Fmt()))));
    EXPECT_EQ(audio.Format, Format(Fmt()));
    EXPECT_EQ(audio.BlockAlign, 2);
    EXPECT_EQ(audio.BytesPerSecond, 16000u);
    EXPECT_EQ(audio.DataSize, kSamples.size());
    EXPECT_EQ(audio.DataOffset, 12 + info.size() + 10 + 8);
}

// Integer and IEEE floating-point samples, plain or extensible, in formats
// of 16, 18 and 40 bytes: the clip copies the format as it stands.
TEST(WavReader, TakesIntegerAndFloatingPointPcm)
{
    const QByteArray formats[] = {
        Format(Fmt()),
        Format(Fmt().Size(18)),
        Format(Fmt().Tag(0xFFFE).Size(40).SubFormat(kPcmGuid)),
        Format(Fmt().Bits(24).Channels(2)),
        Format(Fmt().Tag(3).Size(18).Bits(32)),
        Format(Fmt().Tag(3).Size(18).Bits(64).Channels(2)),
        Format(Fmt().Tag(0xFFFE).Size(40).Bits(32).SubFormat(kFloatGuid)),
    };
    for (const QByteArray& format : formats)
        EXPECT_EQ(Read(Wave(Chunk("fmt ", format) + Chunk("data", kSamples))).Format, format) << format.toHex().constData();
}

TEST(WavReader, CutsOpenEndedOrOverlongDataToTheFile)
{
    const QByteArray format = Chunk("fmt ", Format(Fmt()));
    EXPECT_EQ(Read(Wave(format + Chunk("data", kSamples, 0xFFFFFFFF))).DataSize, kSamples.size());
    EXPECT_EQ(Read(Wave(format + Chunk("data", kSamples, 5000))).DataSize, kSamples.size());
    // Whole blocks only: a last half sample is left out.
    EXPECT_EQ(Read(Wave(format + Chunk("data", kSamples.left(999), 999))).DataSize, 998);
}

// Also sound no clip can hold, which no reader could decode.
TEST(WavReader, RefusesWhatIsNoPcmWave)
{
    const QByteArray format = Chunk("fmt ", Format(Fmt()));
    const QByteArray data = Chunk("data", kSamples);
    const QList<QByteArray> refused{
        QByteArray(),
        QByteArray("RIFF"),
        Wave(format + data, "AVI "),
        QByteArray("RIFX") + Wave(format + data).mid(4),
        Wave(data),
        Wave(format),
        Wave(data + Chunk("fmt ", Format(Fmt())).left(14)), // ends inside fmt
        Wave(Chunk("fmt ", Format(Fmt()).left(14)) + data),
        Wave(Chunk("fmt ", Format(Fmt().Tag(2))) + data), // compressed
        Wave(Chunk("fmt ", Format(Fmt().Tag(0xFFFE).Size(18))) + data), // extensible without its tail
        Wave(Chunk("fmt ", Format(Fmt().Tag(0xFFFE).Size(40).SubFormat(QByteArray(16, 'x')))) + data),
        Wave(Chunk("fmt ", Format(Fmt().Bits(0))) + data),
        Wave(Chunk("fmt ", Format(Fmt().Channels(0))) + data),
        Wave(Chunk("fmt ", Format(Fmt().Rate(0))) + data),
        Wave(Chunk("fmt ", Format(Fmt().Channels(2).Align(2))) + data), // a block of one channel
        Wave(Chunk("fmt ", Format(Fmt().Tag(3).Size(18).Bits(16))) + data), // no such float
    };
    for (int i = 0; i < refused.size(); ++i)
        EXPECT_EQ(WavMessageOf(refused[i]), kCorrupt) << "case " << i;
}

TEST(WavReader, ReportsDiskErrorsAsSuch)
{
    const QByteArray wave = Wave(Chunk("fmt ", Format(Fmt())) + Chunk("data", kSamples));
    FailingDevice device(wave, 20);
    try {
        ReadWav(device);
        FAIL() << "read error not noticed";
    } catch (const AviError& e) {
        EXPECT_STREQ(e.what(), "A disk error occurred while reading the audio file.");
    }
    try {
        ReadWavFile("/nonexistent/sound.wav");
        FAIL() << "missing file not noticed";
    } catch (const AviError& e) {
        EXPECT_STREQ(e.what(), "A disk error occurred while opening the audio file.");
    }
}

TEST(WavReader, DamagedButAcceptedSoundPlays)
{
    if (!ToolAvailable("ffprobe") || !ToolAvailable("ffmpeg"))
        GTEST_SKIP() << "ffprobe and ffmpeg are needed (scripts/install-deps test)";
    QTemporaryDir dir;
    // Streaming writer's open sizes, a LIST first, an odd chunk, 8-bit sound.
    const QByteArray wave = Chunk("RIFF", QByteArray("WAVE") + Chunk("LIST", "INFOx") + Chunk("fmt ", Format(Fmt().Bits(8)))
                                              + Chunk("data", QByteArray(12000, '\x80'), 0xFFFFFFFF),
                                  0xFFFFFFFF);
    ASSERT_TRUE(WriteBytes(dir.filePath("open.wav"), wave));
    TAviWriter2 writer;
    writer.Width = 16;
    writer.Height = 16;
    writer.PixelFormat = pf1bit;
    writer.SetWavFileName(dir.filePath("open.wav"));
    Record(writer, {TwoColourPicture(16, 16, 0)}, dir.filePath("clip.avi"));
    EXPECT_EQ(StreamCount(dir.filePath("clip.avi")), 2);
    EXPECT_EQ(Probe(dir.filePath("clip.avi"), "a:0")["codec_name"], "pcm_u8");
    EXPECT_NEAR(SoundSeconds(dir.filePath("clip.avi")), 1.5, 0.001);
}

TEST(WavReader, HostileFileStopsFinishingWithItsMessage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(WriteBytes(dir.filePath("bad.wav"), Wave(Chunk("data", kSamples))));
    TAviWriter2 writer;
    writer.PixelFormat = pf1bit;
    writer.FileName = dir.filePath("clip.avi");
    writer.SetWavFileName(dir.filePath("bad.wav"));
    writer.OpenVideo();
    writer.AddFrame(TwoColourPicture(8, 8, 0));
    try {
        writer.FinishVideo();
        FAIL() << "bad sound not noticed";
    } catch (const AviError& e) {
        EXPECT_STREQ(e.what(), kCorrupt);
        EXPECT_EQ(e.File(), dir.filePath("bad.wav"));
        EXPECT_EQ(e.Reason(), "no sound format");
    }
    writer.CloseVideo();
    EXPECT_FALSE(QFile::exists(dir.filePath("clip.avi")));
}

} // namespace
