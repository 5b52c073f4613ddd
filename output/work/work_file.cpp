#include "output/work/work_file.h"

#include "model/system_reason.h"
#include "output/work/work_folder.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPrivateFileMode = 0600;
// "recording-" + 12 letters or digits + ".work", whatever the clip's
// format; earlier versions gave every work file the one name "~AWTemp.avi".
constexpr char kNamePrefix[] = "recording-";
constexpr char kNameSuffix[] = ".work";
constexpr char kEarlierName[] = "~AWTemp.avi";
constexpr int kUniqueLength = 12;
constexpr char kUniqueLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
// New names tried before giving up: a clash is all but impossible, a sweep
// taking a new file for a dead one's rare.
constexpr int kNameAttempts = 16;

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QByteArray NewName()
{
    QByteArray name(kNamePrefix);
    for (int i = 0; i < kUniqueLength; ++i)
        name += kUniqueLetters[QRandomGenerator::system()->bounded(int(sizeof kUniqueLetters - 1))];
    return name + kNameSuffix;
}

} // namespace

bool IsWorkFileName(const QByteArray& name)
{
    if (name == kEarlierName)
        return true;
    const qsizetype prefix = sizeof kNamePrefix - 1;
    if (name.size() != prefix + kUniqueLength + qsizetype(sizeof kNameSuffix - 1) || !name.startsWith(kNamePrefix)
        || !name.endsWith(kNameSuffix))
        return false;
    const QByteArray unique = name.mid(prefix, kUniqueLength);
    return std::all_of(unique.begin(), unique.end(), [](char c) { return QByteArrayView(kUniqueLetters).contains(c); });
}

WorkFile::WorkFile(QStringList folders) : folderPaths_(std::move(folders)) {}

WorkFile::~WorkFile()
{
    Close();
}

QString WorkFile::Path() const
{
    return IsOpen() ? folderPath_ + QLatin1Char('/') + QFile::decodeName(name_) : folderPaths_.value(0);
}

bool WorkFile::Open()
{
    if (IsOpen()) {
        reason_ = QStringLiteral("already open");
        return false;
    }
    QString firstReason;
    for (const QString& folder : std::as_const(folderPaths_)) {
        if (OpenIn(folder)) {
            folderPath_ = folder;
            return true;
        }
        if (firstReason.isEmpty())
            firstReason = reason_;
    }
    reason_ = firstReason;
    return false;
}

bool WorkFile::OpenIn(const QString& folder)
{
    folder_ = OpenWorkFolder(folder, reason_);
    if (folder_ < 0)
        return false;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        if (TakeNewName())
            return true;
        if (!reason_.isEmpty())
            break;
    }
    if (reason_.isEmpty())
        reason_ = QStringLiteral("no free name for a work file");
    ::close(folder_);
    folder_ = -1;
    return false;
}

// False with an empty reason when the name was taken or a sweep removed the
// new file before its lock was held: another name will do.
bool WorkFile::TakeNewName()
{
    reason_.clear();
    name_ = NewName();
    fd_ = ::openat(folder_, name_.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivateFileMode);
    if (fd_ < 0) {
        if (errno != EEXIST)
            reason_ = SystemReason(errno);
        return false;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0 && StillOurs())
        return true;
    ::close(fd_);
    fd_ = -1;
    return false;
}

bool WorkFile::Write(std::int64_t offset, const QByteArray& bytes)
{
    if (!IsOpen()) {
        reason_ = QStringLiteral("no work file is open");
        return false;
    }
    std::int64_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.constData() + done, bytes.size() - done, offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason_ = n < 0 ? SystemReason(errno) : SystemReason(ENOSPC);
            // Leave no part of the failed frame behind.
            while (::ftruncate(fd_, offset) != 0 && errno == EINTR) {
            }
            return false;
        }
        done += n;
    }
    return true;
}

bool WorkFile::Read(std::int64_t offset, char* data, std::int64_t size)
{
    std::int64_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd_, data + done, size - done, offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason_ = n < 0 ? SystemReason(errno) : QStringLiteral("the work file is shorter than its frames");
            return false;
        }
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
