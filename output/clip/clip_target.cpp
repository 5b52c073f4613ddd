#include "output/clip/clip_target.h"

#include "model/regular_file.h"
#include "model/system_reason.h"
#include "output/avi/avi_error.h"
#include "output/avi/wav_reader.h"
#include "session/clip_sink.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kUnwritable = QStringLiteral("Unable to write output file");

[[noreturn]] void Refuse(const QString& fileName, const QString& reason)
{
    throw ClipWriteError({kUnwritable, fileName, reason});
}

// As the clip will be made: with the effective ids, which are the ones that
// count where they differ from the real ones.
bool MayWrite(const QByteArray& path, int mode)
{
    return ::faccessat(AT_FDCWD, path.constData(), mode, AT_EACCESS) == 0;
}

} // namespace

void CheckClipTarget(const QString& fileName)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(fileName).absolutePath());
    struct stat info {};
    if (::stat(folder.constData(), &info) != 0)
        Refuse(fileName, SystemReason(errno));
    if (!S_ISDIR(info.st_mode))
        Refuse(fileName, SystemReason(ENOTDIR));
    if (!MayWrite(folder, W_OK | X_OK))
        Refuse(fileName, SystemReason(errno));
    const QByteArray name = QFile::encodeName(fileName);
    if (::stat(name.constData(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode))
        Refuse(fileName, SystemReason(EISDIR));
    if (!S_ISREG(info.st_mode))
        Refuse(fileName, kNotARegularFile);
    if (!MayWrite(name, W_OK))
        Refuse(fileName, SystemReason(errno));
}

void CheckClipSound(const QString& wavFile)
{
    try {
        ReadWavFile(wavFile);
    } catch (const AviError& e) {
        throw ClipError({QString::fromStdString(e.what()), e.File(), e.Reason()});
    }
}
