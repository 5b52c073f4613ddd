#pragma once

#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

// Every file the program writes goes through here: its bytes go to a new
// file beside the old one, the last buffered bytes are flushed and checked,
// and only then does the new file take the old one's place. On any failure
// the old file stays as it was, the new one is removed, and a
// FileWriteError carries the system's reason ("No space left on device").

class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A new file in the making. The program's is a QSaveFile; tests put a
// stand-in here that fails on cue.
class PendingFile {
public:
    virtual ~PendingFile() = default;
    // Open for writing.
    virtual QIODevice& Device() = 0;
    // Hands what is still buffered to the system; false when it refuses.
    virtual bool Flush() = 0;
    // Puts the new file in the old one's place; false when that fails.
    virtual bool Commit() = 0;
    // Removes the new file; the old one stays.
    virtual void Discard() = 0;
    // Why the last step failed.
    virtual QString ErrorString() const = 0;
};

// A QSaveFile for path, open for writing. Throws FileWriteError.
std::unique_ptr<PendingFile> OpenPendingFile(const QString& path);

// Writes the content into out, throwing FileWriteError when a write fails.
using FileContent = std::function<void(QIODevice& out)>;

// Writes the content, flushes, checks, commits. Whatever the content throws
// is passed on after the new file has been removed.
void WritePendingFile(PendingFile& file, const FileContent& content);

// OpenPendingFile and WritePendingFile.
void ReplaceFile(const QString& path, const FileContent& content);

// All of the bytes, or FileWriteError with the device's reason.
void WriteAll(QIODevice& out, const char* data, qint64 size);
