// Writes that meet a full disk (a small tmpfs, as root): a clear message, a
// consistent work file, no partial clip and no lost older clip.
#include "output/avi/avi_writer.h"
#include "tests/support/clip_reader.h"
#include "tests/support/message_of.h"
#include "tests/support/small_disk.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace {

const char* const kAddFailed = "Failed to add frame to AVI. Err=8004406E";
const char* const kWriteFailed = "Unable to write output file";
constexpr int kWidth = 256; // 1 bit: 4096 bytes a frame, one tmpfs page
constexpr int kHeight = 128;

QList<QImage> Pictures(int count)
{
    QList<QImage> pictures;
    for (int n = 0; n < count; ++n)
        pictures.append(TwoColourPicture(kWidth, kHeight, n * 7));
    return pictures;
}

void SetFrame(TAviWriter2& writer)
{
    writer.Width = kWidth;
    writer.Height = kHeight;
    writer.PixelFormat = pf1bit;
}

// Frames 0, 1, a refused one, then 3 once there is room again: the clip
// holds 0, 1 and 3.
void AddAcrossAFailure(TAviWriter2& writer, const QList<QImage>& pictures, const std::function<void()>& block,
                       const std::function<void()>& unblock)
{
    writer.OpenVideo();
    writer.AddFrame(pictures[0]);
    writer.AddFrame(pictures[1]);
    block();
    try {
        writer.AddFrame(pictures[2]);
        ADD_FAILURE() << "the full disk was not noticed";
    } catch (const AviError& e) {
        EXPECT_STREQ(e.what(), kAddFailed);
        EXPECT_EQ(e.File(), writer.WorkFileName());
        EXPECT_EQ(e.Reason(), "No space left on device");
    }
    EXPECT_EQ(writer.FrameIndex(), 2);
    unblock();
    writer.AddFrame(pictures[3]);
    EXPECT_EQ(writer.FrameIndex(), 3);
}

void ExpectClipOf(const QString& path, const QList<QImage>& pictures)
{
    const QList<QImage> frames = DecodeFrames(path);
    ASSERT_EQ(frames.size(), pictures.size());
    for (int i = 0; i < frames.size(); ++i)
        EXPECT_TRUE(SamePixels(frames[i], pictures[i])) << "frame " << i;
}

// Only what was there before: the older clip and, on a tmpfs, the filler.
void ExpectOnlyOldClip(const QString& folder, const QString& old)
{
    EXPECT_EQ(ReadBytes(folder + "/clip.avi"), old);
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        EXPECT_TRUE(name == "clip.avi" || name == "filler") << qPrintable(name);
}

class FullDisk : public ::testing::Test {
protected:
    void SetUp() override { ORNALIX_NEED_SMALL_DISK(disk_); }

    void Free() { QFile::remove(disk_.Path("filler")); }
    QString Folder() const { return disk_.Dir(); }

    SmallDisk disk_;
    QTemporaryDir work_;
};

TEST_F(FullDisk, AddFrameReportsItAndGoesOnOnceThereIsRoom)
{
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", Folder().toLocal8Bit());
    TAviWriter2 writer;
    qputenv("XDG_CACHE_HOME", cache);
    SetFrame(writer);
    const QList<QImage> pictures = Pictures(4);
    AddAcrossAFailure(writer, pictures, [&] { disk_.Fill(); }, [&] { Free(); });
    writer.FileName = work_.filePath("clip.avi");
    writer.FinishVideo();
    writer.CloseVideo();
    ExpectClipOf(work_.filePath("clip.avi"), {pictures[0], pictures[1], pictures[3]});
}

TEST_F(FullDisk, FinishVideoLeavesTheOlderClipWhole)
{
    ASSERT_TRUE(WriteBytes(disk_.Path("clip.avi"), "an older clip"));
    disk_.Fill();
    // Large enough to fail while writing, and small enough to sit in the
    // file's buffer until it is committed.
    for (int frames : {8, 1}) {
        TAviWriter2 writer;
        SetFrame(writer);
        writer.FileName = disk_.Path("clip.avi");
        writer.OpenVideo();
        for (const QImage& picture : Pictures(frames))
            writer.AddFrame(picture);
        EXPECT_EQ(MessageOf<AviError>([&] { writer.FinishVideo(); }), kWriteFailed) << frames << " frames";
        writer.CloseVideo();
        ExpectOnlyOldClip(Folder(), "an older clip");
    }
}

} // namespace
