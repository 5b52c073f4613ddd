// The work files of recordings: one of its own for each, private, locked
// while it lives, gone after closing, swept once its process is gone; and
// nothing else in the work folder is ever touched.
#include "output/avi/avi_writer.h"
#include "output/work/work_folder.h"
#include "output/work/work_sweep.h"
#include "tests/support/clip_reader.h"
#include "tests/support/message_of.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kOtherUser = 65534;

// A writer whose work folders lie in folders of the test's own.
class WorkFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_CACHE_HOME", cache_.path().toLocal8Bit());
        qputenv("TMPDIR", temp_.path().toLocal8Bit());
        writer_ = std::make_unique<TAviWriter2>();
        writer_->PixelFormat = pf1bit;
    }
    void TearDown() override
    {
        writer_.reset();
        qputenv("XDG_CACHE_HOME", saved_);
        qputenv("TMPDIR", savedTemp_);
    }

    QString Folder() const { return cache_.filePath("ornalix"); }
    QString TempFolder() const { return temp_.filePath("ornalix-" + QString::number(geteuid())); }
    QString InFolder(const QString& name) const { return Folder() + QLatin1Char('/') + name; }
    static mode_t ModeOf(const QString& path)
    {
        struct stat info {};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

    QByteArray saved_ = qgetenv("XDG_CACHE_HOME");
    QByteArray savedTemp_ = qgetenv("TMPDIR");
    QTemporaryDir cache_;
    QTemporaryDir temp_;
    std::unique_ptr<TAviWriter2> writer_;
};

TEST_F(WorkFileTest, EachRecordingHasAPrivateOneGoneAfterClosing)
{
    TAviWriter2 second;
    second.PixelFormat = pf1bit;
    writer_->OpenVideo();
    second.OpenVideo();
    const QString first = writer_->WorkFileName();
    EXPECT_NE(first, second.WorkFileName());
    EXPECT_EQ(QFileInfo(first).absolutePath(), Folder());
    EXPECT_EQ(ModeOf(Folder()), 0700u);
    EXPECT_EQ(ModeOf(first), 0600u);
    writer_->AddFrame(TwoColourPicture(8, 8, 0));
    second.AddFrame(TwoColourPicture(8, 8, 1));
    writer_->CloseVideo();
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(writer_->FrameIndex(), 0);
    EXPECT_TRUE(QFileInfo::exists(second.WorkFileName()));
    second.CloseVideo();
    EXPECT_TRUE(QDir(Folder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(WorkFileTest, AFolderOpenToOthersIsClosedAgain)
{
    QDir().mkpath(Folder());
    ASSERT_EQ(::chmod(QFile::encodeName(Folder()).constData(), 0777), 0);
    writer_->OpenVideo();
    EXPECT_EQ(ModeOf(Folder()), 0700u);
}

// Recordings then go to the temporary folder; where that fails as well, the
// cache folder is named with its reason.
TEST_F(WorkFileTest, AFolderThatCannotBeTheWorkFolderSaysWhy)
{
    struct Case {
        const char* What;
        std::function<bool()> Make;
        const char* Reason;
    };
    const Case cases[] = {
        {"a plain file", [this] { return WriteBytes(Folder(), "not a folder"); }, "Not a directory"},
        {"a link", [this] { return QFile::link(cache_.path(), Folder()); }, "a link, which is not followed"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.Make()) << c.What;
        writer_->OpenVideo();
        EXPECT_EQ(QFileInfo(writer_->WorkFileName()).absolutePath(), TempFolder()) << c.What;
        writer_->CloseVideo();
        ASSERT_TRUE(QDir(TempFolder()).removeRecursively() && WriteBytes(TempFolder(), "not a folder"));
        try {
            writer_->OpenVideo();
            ADD_FAILURE() << c.What << " was taken for the work folder";
        } catch (const AviError& e) {
            EXPECT_STREQ(e.what(), "Failed to create AVI video work file") << c.What;
            EXPECT_EQ(e.File(), Folder()) << c.What;
            EXPECT_EQ(e.Reason(), c.Reason) << c.What;
        }
        writer_->CloseVideo();
        QFile::remove(Folder());
        QFile::remove(TempFolder());
    }
}

// A crash leaves a work file nobody holds the lock of; anything else in the
// folder, also under a work file's name, is left as it is.
TEST_F(WorkFileTest, TheSweepRemovesOnlyWorkFilesWhoseOwnerIsGone)
{
    writer_->OpenVideo();
    const QString live = writer_->WorkFileName();
    const QString dead = InFolder("recording-crashedclip1.work");
    const QString earlier = InFolder("~AWTemp.avi"); // the one name of earlier versions
    ASSERT_TRUE(WriteBytes(dead, "frames of a crashed recording"));
    ASSERT_TRUE(WriteBytes(earlier, "frames of an earlier version"));
    const QString victim = cache_.filePath("victim");
    ASSERT_TRUE(WriteBytes(victim, "keep me"));
    QStringList kept{"recording-linktovictim.work", "recording-aafolderaaaa.work", "recording-fifofifofifo.work", "notes.txt"};
    ASSERT_TRUE(QFile::link(victim, InFolder(kept[0])));
    ASSERT_TRUE(QDir().mkdir(InFolder(kept[1])));
    ASSERT_EQ(::mkfifo(QFile::encodeName(InFolder(kept[2])).constData(), 0600), 0); // opened, it would block
    ASSERT_TRUE(WriteBytes(InFolder(kept[3]), "not ours"));
    const QString others = InFolder("recording-otheruser000.work");
    ASSERT_TRUE(WriteBytes(others, "another user's"));
    if (::chown(QFile::encodeName(others).constData(), kOtherUser, kOtherUser) == 0)
        kept.append(QFileInfo(others).fileName());

    RemoveDeadWorkFiles(Folder());
    EXPECT_TRUE(QFileInfo::exists(live));
    EXPECT_FALSE(QFileInfo::exists(dead));
    EXPECT_FALSE(QFileInfo::exists(earlier));
    for (const QString& name : kept)
        EXPECT_TRUE(QFileInfo::exists(InFolder(name))) << qPrintable(name);
    EXPECT_EQ(ReadBytes(victim), "keep me");
    writer_->AddFrame(TwoColourPicture(8, 8, 0));
}

} // namespace
