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
constexpr mode_t kOthersBits = 0077;
const QString kLinkNotFollowed = QStringLiteral("a link, which is not followed");

} // namespace

QString WorkFolderPath()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        return cache + QStringLiteral("/ornalix");
    return QDir::tempPath() + QStringLiteral("/ornalix-") + QString::number(geteuid());
}

int OpenWorkFolder(const QString& path, QString& reason, bool create)
{
    const QByteArray name = QFile::encodeName(path);
    if (create) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ::mkdir(name.constData(), kPrivateFolderMode);
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info {};
    if (fd < 0) {
        const int error = errno;
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
