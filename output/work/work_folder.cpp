#include "output/avi/work_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kOthersBits = 0077;

} // namespace

QString WorkFolderPath()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        return cache + QStringLiteral("/ornalix");
    return QDir::tempPath() + QStringLiteral("/ornalix-") + QString::number(geteuid());
}

int OpenWorkFolder(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray name = QFile::encodeName(path);
    ::mkdir(name.constData(), kPrivateFolderMode);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != geteuid()
        || ((info.st_mode & kOthersBits) != 0 && ::fchmod(fd, kPrivateFolderMode) != 0)) {
        ::close(fd);
        return -1;
    }
    return fd;
}
