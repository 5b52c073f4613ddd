#include "model/regular_file.h"

#include "model/system_reason.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The name is looked at before it is opened, so that no device is opened at
// all; the open itself does not wait for a FIFO's writer, and what was
// opened is looked at once more, in case the name changed in between.
bool OpenRegularFile(QFile& file, const QString& path, QString& reason)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        reason = SystemReason(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = kNotARegularFile;
        return false;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = SystemReason(errno);
        return false;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        reason = kNotARegularFile;
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        reason = file.errorString();
        return false;
    }
    return true;
}
