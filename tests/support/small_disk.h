#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <sys/mount.h>
#include <unistd.h>

// A real full disk: a 64 KiB tmpfs mounted over a fresh folder, which
// Fill() then fills to the last byte. Mounting needs root; a test that gets
// no disk says so and is skipped.
class SmallDisk {
public:
    SmallDisk()
    {
        if (geteuid() != 0) {
            why_ = "mounting a tmpfs needs root";
            return;
        }
        if (mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                  "size=64k,mode=0700") != 0) {
            why_ = std::string("no tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallDisk()
    {
        if (mounted_)
            umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Why() const { return why_; }
    QString Dir() const { return dir_.path(); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

    // Fills what room is left with one file, to the last byte.
    void Fill()
    {
        QFile filler(Path(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("f", 1) == 1) {
        }
    }

    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray Read(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    std::string why_;
};

#define ORNALIX_NEED_SMALL_DISK(disk)                                   \
    if (!(disk).Mounted())                                              \
    GTEST_SKIP() << "no full disk to test on: " << (disk).Why()
