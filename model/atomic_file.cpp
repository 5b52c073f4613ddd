#include "model/atomic_file.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {

// Qt clears a write error when the file closes cleanly afterwards and then
// speaks of an "Unknown error"; the reason is taken at the failing step.
std::string Reason(const QString& text, int error)
{
    if (!text.isEmpty() && text != QStringLiteral("Unknown error"))
        return text.toStdString();
    return error != 0 ? std::strerror(error) : "write failed";
}

class SaveFile final : public PendingFile {
public:
    explicit SaveFile(const QString& path) : file_(path) {}

    bool Open() { return file_.open(QIODevice::WriteOnly); }
    QIODevice& Device() override { return file_; }
    bool Flush() override { return file_.flush(); }
    bool Commit() override { return file_.commit(); }
    void Discard() override
    {
        // A cancelled commit removes the new file at once.
        if (file_.isOpen()) {
            file_.cancelWriting();
            file_.commit();
        }
    }
    QString ErrorString() const override { return file_.errorString(); }

private:
    QSaveFile file_;
};

[[noreturn]] void Fail(const PendingFile& file, int error)
{
    throw FileWriteError(Reason(file.ErrorString(), error));
}

} // namespace

std::unique_ptr<PendingFile> OpenPendingFile(const QString& path)
{
    auto file = std::make_unique<SaveFile>(path);
    errno = 0;
    if (!file->Open())
        Fail(*file, errno);
    return file;
}

void WritePendingFile(PendingFile& file, const FileContent& content)
{
    try {
        content(file.Device());
    } catch (...) {
        file.Discard();
        throw;
    }
    // Small files sit in the buffer until here: on a full disk this is
    // where writing fails, and QSaveFile's commit would not notice.
    errno = 0;
    if (!file.Flush()) {
        const int error = errno;
        const std::string reason = Reason(file.ErrorString(), error);
        file.Discard();
        throw FileWriteError(reason);
    }
    errno = 0;
    if (!file.Commit())
        Fail(file, errno);
}

void ReplaceFile(const QString& path, const FileContent& content)
{
    WritePendingFile(*OpenPendingFile(path), content);
}

void WriteAll(QIODevice& out, const char* data, qint64 size)
{
    errno = 0;
    if (out.write(data, size) != size)
        throw FileWriteError(Reason(out.errorString(), errno));
}
