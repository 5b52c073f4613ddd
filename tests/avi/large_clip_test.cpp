// A clip past 1 GiB, which readers only take in the OpenDML layout.
#include "output/avi/avi_writer.h"
#include "tests/support/clip_reader.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
// 24-bit frames of 6,220,800 bytes pass 1 GiB after 173.
constexpr int kFrames = 180;
constexpr qint64 kGiB = qint64{1} << 30;

TEST(LargeClip, EveryFrameIsFoundAndTheLastDecodes)
{
    if (!ToolAvailable("ffprobe") || !ToolAvailable("ffmpeg"))
        GTEST_SKIP() << "ffprobe and ffmpeg are needed (scripts/install-deps test)";
    QTemporaryDir dir;
    TAviWriter2 writer;
    writer.Width = kWidth;
    writer.Height = kHeight;
    writer.FrameTime = 40;
    writer.PixelFormat = pf24bit;
    const QImage picture = TwoColourPicture(kWidth, kHeight, 1, qRgb(20, 40, 60), qRgb(250, 200, 0));
    const QImage last = TwoColourPicture(kWidth, kHeight, 500, qRgb(0, 90, 0), qRgb(255, 0, 255));
    writer.FileName = dir.filePath("clip.avi");
    writer.OpenVideo();
    for (int n = 1; n < kFrames; ++n)
        writer.AddFrame(picture);
    writer.AddFrame(last);
    writer.FinishVideo();
    writer.CloseVideo();

    const QString path = dir.filePath("clip.avi");
    EXPECT_GT(QFileInfo(path).size(), kGiB);
    const QByteArray head = ReadBytes(path).left(64 * 1024);
    EXPECT_EQ(CountOf(head, "indx"), 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(file.seek(8 + U32At(head, 4)));
    const QByteArray second = file.read(12);
    EXPECT_TRUE(second.startsWith("RIFF") && second.endsWith("AVIX"));
    EXPECT_EQ(U32At(FirstChunk(head, "dmlh"), 0), std::uint32_t(kFrames));
    EXPECT_EQ(Probe(path, "v:0")["nb_read_frames"], QString::number(kFrames));
    const QString png = dir.filePath("last.png");
    RunTool("ffmpeg", {"-v", "error", "-i", path, "-vf", QStringLiteral("select=eq(n\\,%1)").arg(kFrames - 1),
                       "-frames:v", "1", png});
    EXPECT_TRUE(SamePixels(QImage(png).convertToFormat(QImage::Format_RGB32), last));
}

} // namespace
