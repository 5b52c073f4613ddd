#pragma once

#include <QFile>
#include <QProcess>
#include <QString>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

// As root every folder is writable: a test of "permission denied" acts as
// the user nobody, a process it starts or, for a while, itself. The folders
// it uses must then be open to others (Open).
constexpr uid_t kNobody = 65534;

// The program started by process runs as nobody when the tests run as root.
inline void RunAsNobody(QProcess& process)
{
    if (geteuid() != 0)
        return;
    process.setChildProcessModifier([] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(127);
    });
}

// While it lives, this process's file accesses are nobody's when the tests
// run as root.
class ActingAsNobody {
public:
    ActingAsNobody() : root_(geteuid() == 0)
    {
        if (root_ && ::seteuid(kNobody) != 0)
            root_ = false;
    }
    ~ActingAsNobody()
    {
        if (root_)
            (void)::seteuid(0);
    }
    ActingAsNobody(const ActingAsNobody&) = delete;
    ActingAsNobody& operator=(const ActingAsNobody&) = delete;

private:
    bool root_;
};

// A folder everyone may enter and write in; or, with writable false, one
// they may only enter and read.
inline bool Open(const QString& folder, bool writable = true)
{
    return ::chmod(QFile::encodeName(folder).constData(), writable ? 0777 : 0555) == 0;
}
