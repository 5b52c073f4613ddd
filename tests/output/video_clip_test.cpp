// MP4, WebM and GIF clips read back by FFmpeg's own tools: the streams a
// player expects, every frame, and the pictures that went in.
#include "output/clip/open_clip.h"
#include "output/video/video_encoder.h"
#include "tests/support/clip_reader.h"
#include "tests/support/picture_compare.h"
#include "tests/support/small_disk.h"
#include "tests/support/tool_runner.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 161; // odd: H.264 pads it
constexpr int kHeight = 97;
constexpr int kFrames = 12;
constexpr int kFrameTime = 15;
// The pane's own colours, and a pair a GIF's palette must hold exactly.
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kNavy = qRgb(0, 0, 96);
const QRgb kYellow = qRgb(255, 255, 0);

// The picture as the recorder draws unsmoothed lines: in bits, its colours
// in the table. The bits past the right edge are set: nothing says they
// are clear.
QImage InBits(const QImage& picture, QRgb background, QRgb foreground)
{
    QImage bits(picture.size(), QImage::Format_Mono);
    bits.fill(1);
    bits.setColorTable({background, foreground});
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            bits.setPixel(x, y, picture.pixel(x, y) == background ? 0 : 1);
    return bits;
}

// The largest difference of a channel.
int Distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Every other picture in bits.
QList<QImage> Pictures(QRgb background = kWhite, QRgb foreground = kBlack)
{
    QList<QImage> pictures;
    for (int n = 0; n < kFrames; ++n) {
        const QImage picture = TwoColourPicture(kWidth, kHeight, 7 * n, background, foreground);
        pictures.append(n % 2 == 0 ? picture : InBits(picture, background, foreground));
    }
    return pictures;
}

ClipRequest Request(const QString& fileName, const QString& wav = {}, QRgb background = kWhite,
                    QRgb foreground = kBlack)
{
    return {fileName, QSize(kWidth, kHeight), kFrameTime, wav, background, foreground, {}};
}

void Record(const ClipRequest& request, const QList<QImage>& pictures)
{
    const auto clip = OpenClip(request);
    for (const QImage& picture : pictures)
        clip->AddFrame(picture);
    clip->Finish(WorkProgress::Unwatched());
}

// A WAV of a second of 16-bit stereo silence at 44.1 kHz.
QByteArray Wav()
{
    constexpr int kRate = 44100, kBlock = 4;
    QByteArray data(kRate * kBlock, '\0');
    QByteArray wav("RIFF");
    const auto u32 = [&wav](quint32 v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&wav](quint16 v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
    u32(36 + data.size());
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(2);
    u32(kRate);
    u32(kRate * kBlock);
    u16(kBlock);
    u16(16);
    wav.append("data");
    u32(data.size());
    return wav + data;
}

// The boxes at the top of an MP4 and their sizes, in file order.
QList<std::pair<QString, quint32>> TopBoxes(const QByteArray& mp4)
{
    QList<std::pair<QString, quint32>> boxes;
    for (qsizetype at = 0; at + 8 <= mp4.size();) {
        const quint32 size = qFromBigEndian<quint32>(mp4.constData() + at);
        boxes.append({QString::fromLatin1(mp4.mid(at + 4, 4)), size});
        if (size < 8)
            break;
        at += size;
    }
    return boxes;
}

QString TopBoxNames(const QByteArray& mp4)
{
    QStringList names;
    for (const auto& box : TopBoxes(mp4))
        names.append(box.first);
    return names.join(' ');
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lossy clips come close to the pictures, a GIF keeps them exactly, also
// in colours other than black and white.
TEST(VideoClips, PlayersFindEveryFrameAsItWasDrawn)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        const char* codec;
        const char* pixels;
        QSize coded;
        double leastPsnr;
        QRgb background, foreground;
        const char* rate;
        const char* seconds;
        int frameTime; // of the frames kept
    } cases[] = {
        {"clip.mp4", "h264", "yuv420p", QSize(kWidth + 1, kHeight + 1), 40, kWhite, kBlack, "200/3", "0.180000", 15},
        // 4:2:0 keeps a colour for every 2 x 2 pixels: a one-pixel line of
        // another hue comes out paler, whichever way its picture came.
        {"colours.mp4", "h264", "yuv420p", QSize(kWidth + 1, kHeight + 1), 23, kNavy, kYellow, "200/3", "0.180000",
         15},
        {"clip.webm", "vp9", "yuv420p", QSize(kWidth, kHeight), 40, kWhite, kBlack, "200/3", "N/A", 15},
        {"colours.webm", "vp9", "yuv420p", QSize(kWidth, kHeight), 22, kNavy, kYellow, "200/3", "N/A", 15},
        // A GIF's frames last at least two hundredths: every fourth is left
        // out, and the clip lasts as long as the MP4.
        {"clip.gif", "gif", "bgra", QSize(kWidth, kHeight), std::numeric_limits<double>::infinity(), kNavy, kYellow,
         "50/1", "0.180000", 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QLatin1String(c.name));
        const QList<QImage> pictures = Pictures(c.background, c.foreground);
        Record(Request(path, {}, c.background, c.foreground), pictures);
        const auto video = Probe(path, QStringLiteral("v:0"));
        EXPECT_EQ(video["codec_name"], c.codec);
        EXPECT_EQ(video["pix_fmt"], c.pixels);
        EXPECT_EQ(QSize(video["width"].toInt(), video["height"].toInt()), c.coded);
        const int kept = (kFrames * kFrameTime + c.frameTime - 1) / c.frameTime;
        EXPECT_EQ(video["nb_read_frames"], QString::number(kept));
        EXPECT_EQ(video["r_frame_rate"], c.rate);
        EXPECT_EQ(video["duration"], c.seconds);
        if (path.endsWith(QLatin1String(".mp4"))) { // the index first, so that browsers stream it
            EXPECT_EQ(TopBoxNames(FileBytes(path)), "ftyp moov free mdat");
        }
        const QList<QImage> frames = DecodeFrames(path);
        ASSERT_EQ(frames.size(), kept);
        for (int i = 0; i < kept; ++i) {
            // The first of the recorded frames that fall on this step.
            const int recorded = (i * c.frameTime + kFrameTime - 1) / kFrameTime;
            EXPECT_GE(Psnr(pictures[recorded], frames[i]), c.leastPsnr) << "frame " << i;
            // Where 4:2:0 has a colour for half a block, at an odd width.
            const auto lastColumn = [](const QImage& picture) { return picture.copy(kWidth - 1, 0, 1, kHeight); };
            EXPECT_GE(Psnr(lastColumn(pictures[recorded]), lastColumn(frames[i])), c.leastPsnr)
                << "last column of frame " << i;
            if (c.coded.width() > kWidth) {
                EXPECT_LE(Distance(frames[i].pixel(kWidth, 0), c.background), 3) << "padding of frame " << i;
            }
        }
    }
}

// However many frames and however short, a GIF plays as long as the MP4
// of the same frames, to within its shortest frame.
TEST(VideoClips, AGifLastsAsLongAsTheMp4)
{
    QTemporaryDir dir;
    for (const auto& [frames, frameTime] : {std::pair{61, 15}, std::pair{7, 15}, std::pair{40, 10}, std::pair{9, 30}}) {
        SCOPED_TRACE(frames);
        double seconds[2] = {};
        for (const int gif : {0, 1}) {
            const QString path = dir.filePath(gif ? QStringLiteral("clip.gif") : QStringLiteral("clip.mp4"));
            ClipRequest request = Request(path);
            request.FrameTime = frameTime;
            Record(request, QList<QImage>(frames, Pictures().first()));
            seconds[gif] = Probe(path, QStringLiteral("v:0"))["duration"].toDouble();
        }
        EXPECT_NEAR(seconds[0], frames * frameTime / 1000.0, 1e-6);
        EXPECT_NEAR(seconds[1], seconds[0], 0.020);
    }
}

TEST(VideoClips, TheSoundIsAacInMp4AndOpusInWebmAndNoneInAGif)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("sound.wav"));
    ASSERT_TRUE(WriteBytes(wav, Wav()));
    for (const auto& [name, codec] : {std::pair("clip.mp4", "aac"), std::pair("clip.webm", "opus")}) {
        const QString path = dir.filePath(QLatin1String(name));
        Record(Request(path, wav), Pictures());
        const auto sound = Probe(path, QStringLiteral("a:0"));
        EXPECT_EQ(sound["codec_name"], codec) << name;
        EXPECT_EQ(sound["channels"], "2") << name;
        EXPECT_NEAR(SoundSeconds(path), 1.0, 0.05) << name;
    }
    EXPECT_THROW(OpenClip(Request(dir.filePath(QStringLiteral("clip.gif")), wav)), ClipError);
}

// The clip appears whole or not at all: a full disk under it keeps the old
// file and leaves nothing else.
TEST(VideoClips, AFullDiskKeepsTheOldClip)
{
    SmallDisk disk;
    ORNALIX_NEED_SMALL_DISK(disk);
    disk.Write(QStringLiteral("clip.mp4"), "old");
    disk.Fill();
    const auto clip = OpenClip(Request(disk.Path(QStringLiteral("clip.mp4"))));
    for (const QImage& picture : Pictures())
        clip->AddFrame(picture);
    try {
        clip->Finish(WorkProgress::Unwatched());
        FAIL() << "no error";
    } catch (const ClipError& e) {
        EXPECT_EQ(e.Failure().Message, "Unable to write output file");
        EXPECT_EQ(e.Failure().Reason, "No space left on device");
    }
    EXPECT_EQ(disk.Read(QStringLiteral("clip.mp4")), "old");
    EXPECT_EQ(disk.Files(), (QStringList{"clip.mp4", "filler"}));
}

// A file in memory on a disk with room for so many bytes, or one whose
// reads fail.
class TightBuffer final : public QBuffer {
public:
    TightBuffer(qint64 room, bool readable) : room_(room), readable_(readable) { open(QIODevice::ReadWrite); }

protected:
    qint64 readData(char* data, qint64 size) override
    {
        if (readable_)
            return QBuffer::readData(data, size);
        setErrorString(QStringLiteral("Input/output error"));
        return -1;
    }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (pos() + size <= room_)
            return QBuffer::writeData(data, size);
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }

private:
    qint64 room_;
    bool readable_;
};

void Encode(QIODevice& out)
{
    VideoSettings settings;
    settings.Frame = QSize(kWidth, kHeight);
    settings.FrameTime = kFrameTime;
    VideoEncoder encoder(out, settings);
    for (int n = 0; n < kFrames; ++n)
        encoder.AddFrame(TwoColourPicture(kWidth, kHeight, 7 * n));
    encoder.Finish();
}

// Moving the index to the front rereads and rewrites every frame after the
// rest is written; a failure there is the clip's failure, not a clip cut
// short.
TEST(VideoClips, MovingTheIndexFrontFailsAloud)
{
    TightBuffer roomy(std::numeric_limits<qint64>::max(), true);
    Encode(roomy);
    const auto boxes = TopBoxes(roomy.data());
    ASSERT_EQ(boxes.size(), 4);
    const qint64 whole = roomy.size(), index = boxes[1].second;
    const struct {
        const char* name;
        qint64 room;
        bool readable;
        const char* message;
    } cases[] = {
        {"full disk", whole - index / 2, true, "Unable to write output file: No space left on device"},
        {"unreadable", whole, false, "Unable to write output file: Input/output error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TightBuffer tight(c.room, c.readable);
        try {
            Encode(tight);
            ADD_FAILURE() << "no error";
        } catch (const VideoError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

} // namespace
