#include "output/avi/work_file.h"

#include "output/avi/work_folder.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPrivateFileMode = 0600;

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

WorkFile::WorkFile(QString path)
    : path_(std::move(path))
    , name_(QFile::encodeName(QFileInfo(path_).fileName()))
{
}

WorkFile::~WorkFile()
{
    Close();
}

bool WorkFile::Open()
{
    if (IsOpen())
        return false;
    folder_ = OpenWorkFolder(QFileInfo(path_).absolutePath());
    if (folder_ < 0)
        return false;
    RemoveStale();
    fd_ = ::openat(folder_, name_.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   kPrivateFileMode);
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0)
        return true;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    ::close(folder_);
    folder_ = -1;
    return false;
}

// A file nobody holds the lock of was left by a recording that ended without
// closing; anything else at the name that is not a file (a link) goes too.
void WorkFile::RemoveStale()
{
    const int old = ::openat(folder_, name_.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (old < 0) {
        if (errno != ENOENT)
            ::unlinkat(folder_, name_.constData(), 0);
        return;
    }
    struct stat held {}, named {};
    if (::flock(old, LOCK_EX | LOCK_NB) == 0 && ::fstat(old, &held) == 0
        && ::fstatat(folder_, name_.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named))
        ::unlinkat(folder_, name_.constData(), 0);
    ::close(old);
}

bool WorkFile::Write(std::int64_t offset, const QByteArray& bytes)
{
    if (!IsOpen())
        return false;
    std::int64_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.constData() + done, bytes.size() - done, offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // Leave no part of the failed frame behind.
            while (::ftruncate(fd_, offset) != 0 && errno == EINTR) {
            }
            return false;
        }
        done += n;
    }
    return true;
}

bool WorkFile::Read(std::int64_t offset, char* data, std::int64_t size) const
{
    std::int64_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd_, data + done, size - done, offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool WorkFile::StillOurs() const
{
    struct stat held {}, named {};
    return ::fstat(fd_, &held) == 0 && ::fstatat(folder_, name_.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
        && SameFile(held, named);
}

void WorkFile::Close()
{
    if (!IsOpen())
        return;
    if (StillOurs())
        ::unlinkat(folder_, name_.constData(), 0);
    ::close(fd_);
    ::close(folder_);
    fd_ = -1;
    folder_ = -1;
}
