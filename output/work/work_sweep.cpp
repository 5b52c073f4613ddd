#include "output/work/work_sweep.h"

#include "output/work/work_file.h"
#include "output/work/work_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Looked at without following it, opened without waiting and without
// following it, and removed only while the name still is the file whose
// lock this sweep holds. A recording that has just made the file and not
// yet locked it tries a new name.
void RemoveIfDead(int folder, const char* name)
{
    struct stat named {};
    if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode)
        || named.st_uid != geteuid())
        return;
    const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat held {}, again {};
    if (::fstat(fd, &held) == 0 && SameFile(held, named) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
        && ::fstatat(folder, name, &again, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, again))
        ::unlinkat(folder, name, 0);
    ::close(fd);
}

} // namespace

void RemoveDeadWorkFiles(const QString& folder)
{
    QString reason;
    const int fd = OpenWorkFolder(folder, reason, false);
    if (fd < 0)
        return;
    const int listed = ::dup(fd);
    DIR* entries = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!entries && listed >= 0)
        ::close(listed);
    while (entries) {
        const dirent* entry = ::readdir(entries);
        if (!entry)
            break;
        if (IsWorkFileName(QByteArray(entry->d_name)))
            RemoveIfDead(fd, entry->d_name);
    }
    if (entries)
        ::closedir(entries);
    ::close(fd);
}
