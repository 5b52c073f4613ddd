// WAV files as they come in the wild, and hostile ones.
#include "output/avi/avi_error.h"
#include "output/avi/avi_writer.h"
#include "output/avi/wav_reader.h"
#include "tests/support/clip_reader.h"
#include "tests/support/message_of.h"

#include <QBuffer>
#include <QDataStream>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char* const kCorrupt = "The file could not be read, indicating a corrupt file or an unrecognized format.";

QByteArray Chunk(const char* id, const QByteArray& data, std::uint32_t size)
{
    QByteArray bytes(id, 4);
    QDataStream out(&bytes, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << size;
    bytes += data;
    if (data.size() & 1)
        bytes += '\0';
    return bytes;
}

QByteArray Chunk(const char* id, const QByteArray& data)
{
    return Chunk(id, data, static_cast<std::uint32_t>(data.size()));
}

// fmt data: 8 kHz mono, 16 or 8 bits, with cbSize (18) or the extensible
// tail (40) when asked.
QByteArray Format(std::uint16_t tag, int size, std::uint16_t bits = 16, const QByteArray& subFormat = {})
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const std::uint16_t align = bits / 8;
    out << tag << quint16(1) << quint32(8000) << quint32(8000 * align) << align << bits;
    if (size >= 18)
        out << quint16(size - 18);
    if (size >= 40) {
        out << bits << quint32(4); // valid bits, channel mask
        bytes += subFormat;
    }
    return bytes;
}

const QByteArray kPcmGuid = QByteArray::fromHex("0100000000001000800000aa00389b71");
const QByteArray kFloatGuid = QByteArray::fromHex("0300000000001000800000aa00389b71");

QByteArray Wave(const QByteArray& chunks, const char* form = "WAVE")
{
    return Chunk("RIFF", QByteArray(form, 4) + chunks);
}

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
    const WavAudio audio = Read(Wave(info + Chunk("junk", "x") + Chunk("data", kSamples) + Chunk("fmt ", Format(1, 16))));
    EXPECT_EQ(audio.Format, Format(1, 16));
    EXPECT_EQ(audio.BlockAlign, 2);
    EXPECT_EQ(audio.BytesPerSecond, 16000u);
    EXPECT_EQ(audio.DataSize, kSamples.size());
    EXPECT_EQ(audio.DataOffset, 12 + info.size() + 10 + 8);
}

TEST(WavReader, TakesFormatsOf16And18And40Bytes)
{
    for (const QByteArray& format : {Format(1, 16), Format(1, 18), Format(0xFFFE, 40, 16, kPcmGuid)})
        EXPECT_EQ(Read(Wave(Chunk("fmt ", format) + Chunk("data", kSamples))).Format, format);
}

TEST(WavReader, CutsOpenEndedOrOverlongDataToTheFile)
{
    const QByteArray format = Chunk("fmt ", Format(1, 16));
    EXPECT_EQ(Read(Wave(format + Chunk("data", kSamples, 0xFFFFFFFF))).DataSize, kSamples.size());
    EXPECT_EQ(Read(Wave(format + Chunk("data", kSamples, 5000))).DataSize, kSamples.size());
    // Whole blocks only: a last half sample is left out.
    EXPECT_EQ(Read(Wave(format + Chunk("data", kSamples.left(999), 999))).DataSize, 998);
}

TEST(WavReader, RefusesWhatIsNoPcmWave)
{
    const QByteArray format = Chunk("fmt ", Format(1, 16));
    const QByteArray data = Chunk("data", kSamples);
    const QList<QByteArray> refused{
        QByteArray(),
        QByteArray("RIFF"),
        Wave(format + data, "AVI "),
        QByteArray("RIFX") + Wave(format + data).mid(4),
        Wave(data),
        Wave(format),
        Wave(data + Chunk("fmt ", Format(1, 16)).left(14)), // ends inside fmt
        Wave(Chunk("fmt ", Format(1, 16).left(14)) + data),
        Wave(Chunk("fmt ", Format(3, 18)) + data),          // floating point
        Wave(Chunk("fmt ", Format(0xFFFE, 40, 32, kFloatGuid)) + data),
        Wave(Chunk("fmt ", Format(0xFFFE, 18)) + data),     // extensible without its tail
        Wave(Chunk("fmt ", Format(1, 16, 0)) + data),       // no bytes per block
    };
    for (int i = 0; i < refused.size(); ++i)
        EXPECT_EQ(WavMessageOf(refused[i]), kCorrupt) << "case " << i;
}

TEST(WavReader, ReportsDiskErrorsAsSuch)
{
    const QByteArray wave = Wave(Chunk("fmt ", Format(1, 16)) + Chunk("data", kSamples));
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
    const QByteArray wave = Chunk("RIFF", QByteArray("WAVE") + Chunk("LIST", "INFOx") + Chunk("fmt ", Format(1, 16, 8))
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
    }
    writer.CloseVideo();
    EXPECT_FALSE(QFile::exists(dir.filePath("clip.avi")));
}

} // namespace
