// Writes that meet a full disk (a small tmpfs, as root) or a file size
// limit (anyone): a clear message, a consistent work file, no partial clip
// and no lost older clip.
#include "avi_writer.h"
#include "clip_reader.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const char* const kAddFailed = "Failed to add frame to AVI. Err=8004406E";
const char* const kWriteFailed = "Unable to write output file";
constexpr int kWidth = 256; // 1 bit: 4096 bytes a frame, one tmpfs page
constexpr int kHeight = 128;

QString MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AviError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

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
    EXPECT_EQ(MessageOf([&] { writer.AddFrame(pictures[2]); }), kAddFailed);
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
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a small tmpfs needs root";
        const ToolResult mount = RunTool("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk_.path()});
        if (mount.ExitCode != 0)
            GTEST_SKIP() << "no tmpfs could be mounted: " << mount.Errors.toStdString();
        mounted_ = true;
    }

    void TearDown() override
    {
        if (mounted_)
            RunTool("umount", {disk_.path()});
    }

    void Fill() { RunTool("dd", {"if=/dev/zero", "of=" + Filler(), "bs=1024"}); }
    void Free() { QFile::remove(Filler()); }
    QString Filler() const { return disk_.filePath("filler"); }

    QTemporaryDir disk_;
    QTemporaryDir work_;
    bool mounted_ = false;
};

TEST_F(FullDisk, AddFrameReportsItAndGoesOnOnceThereIsRoom)
{
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", disk_.path().toLocal8Bit());
    TAviWriter2 writer;
    qputenv("XDG_CACHE_HOME", cache);
    SetFrame(writer);
    const QList<QImage> pictures = Pictures(4);
    AddAcrossAFailure(writer, pictures, [&] { Fill(); }, [&] { Free(); });
    writer.FileName = work_.filePath("clip.avi");
    writer.FinishVideo();
    writer.CloseVideo();
    ExpectClipOf(work_.filePath("clip.avi"), {pictures[0], pictures[1], pictures[3]});
}

TEST_F(FullDisk, FinishVideoLeavesTheOlderClipWhole)
{
    ASSERT_TRUE(WriteBytes(disk_.filePath("clip.avi"), "an older clip"));
    Fill();
    // Large enough to fail while writing, and small enough to sit in the
    // file's buffer until it is committed.
    for (int frames : {8, 1}) {
        TAviWriter2 writer;
        SetFrame(writer);
        writer.FileName = disk_.filePath("clip.avi");
        writer.OpenVideo();
        for (const QImage& picture : Pictures(frames))
            writer.AddFrame(picture);
        EXPECT_EQ(MessageOf([&] { writer.FinishVideo(); }), kWriteFailed) << frames << " frames";
        writer.CloseVideo();
        ExpectOnlyOldClip(disk_.path(), "an older clip");
    }
}

// A file size limit makes writes fail for anyone, without a mount.
class FileSizeLimit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_), 0);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    }

    void TearDown() override
    {
        Unlimit();
        std::signal(SIGXFSZ, oldSignal_);
    }

    void Limit(rlim_t bytes)
    {
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }

    void Unlimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

    rlimit old_{};
    void (*oldSignal_)(int) = nullptr;
    QTemporaryDir dir_;
};

TEST_F(FileSizeLimit, AddFrameFailsWithTheCodeAndKeepsTheWorkFileWhole)
{
    TAviWriter2 writer;
    SetFrame(writer);
    const QList<QImage> pictures = Pictures(4);
    // Room for two and a half frames: the third is cut short.
    AddAcrossAFailure(writer, pictures, [&] { Limit(5 * kWidth * kHeight / 16); }, [&] { Unlimit(); });
    writer.FileName = dir_.filePath("clip.avi");
    writer.FinishVideo();
    writer.CloseVideo();
    ExpectClipOf(dir_.filePath("clip.avi"), {pictures[0], pictures[1], pictures[3]});
}

TEST_F(FileSizeLimit, FinishVideoLeavesTheOlderClipWhole)
{
    ASSERT_TRUE(WriteBytes(dir_.filePath("clip.avi"), "an older clip"));
    TAviWriter2 writer;
    SetFrame(writer);
    writer.FileName = dir_.filePath("clip.avi");
    writer.OpenVideo();
    for (const QImage& picture : Pictures(3))
        writer.AddFrame(picture);
    Limit(3 * kWidth * kHeight / 8); // the frames fit, the clip's headers not
    EXPECT_EQ(MessageOf([&] { writer.FinishVideo(); }), kWriteFailed);
    Unlimit();
    writer.CloseVideo();
    ExpectOnlyOldClip(dir_.path(), "an older clip");
}

} // namespace
