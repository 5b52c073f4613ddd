#include "output/work/work_folder.h"

#include "model/system_reason.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPrivateFolderMode = 0700;
// The folders above it as QDir::mkpath makes them, the umask deciding.
constexpr mode_t kParentFolderMode = 0777;
constexpr mode_t kOthersBits = 0077;
const QString kLinkNotFollowed = QStringLiteral("a link, which is not followed");

// Makes the folder and any missing one above it. Gives 0, or the errno of
// the first that could not be made: a folder that cannot be made for want
// of permission is said so, not as the missing folder the open then finds.
int MakeFolder(const QByteArray& path, mode_t mode)
{
    if (::mkdir(path.constData(), mode) == 0 || errno == EEXIST)
        return 0;
    if (errno != ENOENT)
        return errno;
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0)
        return ENOENT;
    if (const int error = MakeFolder(path.left(slash), kParentFolderMode))
        return error;
    return ::mkdir(path.constData(), mode) == 0 || errno == EEXIST ? 0 : errno;
}

} // namespace

QStringList WorkFolderPaths()
{
    QStringList folders;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        folders << cache + QStringLiteral("/ornalix");
    // Empty for a $TMPDIR that does not exist: no folder is made at the root.
    const QString temp = QDir::tempPath();
    if (!temp.isEmpty())
        folders << temp + QStringLiteral("/ornalix-") + QString::number(geteuid());
    return folders;
}

int OpenWorkFolder(const QString& path, QString& reason, bool create)
{
    const QByteArray name = QFile::encodeName(path);
    const int made = create ? MakeFolder(QFile::encodeName(QFileInfo(path).absoluteFilePath()), kPrivateFolderMode) : 0;
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info {};
    if (fd < 0) {
        const int error = made != 0 ? made : errno;
        reason = ::lstat(name.constData(), &info) == 0 && S_ISLNK(info.st_mode) ? kLinkNotFollowed : SystemReason(error);
        return -1;
    }
    if (::fstat(fd, &info) != 0) {
        reason = SystemReason(errno);
    } else if (info.st_uid != geteuid()) {
        reason = QStringLiteral("the folder belongs to another user");
    } else if ((info.st_mode & kOthersBits) != 0 && ::fchmod(fd, kPrivateFolderMode) != 0) {
        reason = SystemReason(errno);
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}
