#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

// The file in which the frames of one recording collect until the clip is
// written. Every recording has its own: a new name in the private work
// folder, created with O_EXCL (never through a link) and held with an
// exclusive flock for as long as it is open. So recordings run side by
// side, in one process or in many, and a work file whose lock is free
// belongs to a process that is gone (RemoveDeadWorkFiles). The first of
// the folders it is given that takes a new file holds it.
class WorkFile {
public:
    explicit WorkFile(QStringList folders);
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    // False, with Reason(), when no folder takes a file: Path() then names
    // the first folder and Reason() says why it failed.
    bool Open();
    bool IsOpen() const { return fd_ >= 0; }
    // The open file's path; the first folder's while none is open.
    QString Path() const;
    // Writes bytes at offset; when that fails the file is cut back to
    // offset, and Reason() tells why.
    bool Write(std::int64_t offset, const QByteArray& bytes);
    bool Read(std::int64_t offset, char* data, std::int64_t size);
    // The open file, for a device of the caller's own (QFile::open with
    // QFileDevice::DontCloseHandle); -1 while none is open.
    int Descriptor() const { return fd_; }
    // Removes the file, but only while it still is the one this object made.
    void Close();
    // The system's reason for the last failure.
    const QString& Reason() const { return reason_; }

private:
    bool OpenIn(const QString& folder);
    bool TakeNewName();
    bool StillOurs() const;

    QStringList folderPaths_;
    // The folder that holds the open file.
    QString folderPath_;
    QByteArray name_;
    int folder_ = -1;
    int fd_ = -1;
    QString reason_;
};

// Whether a name in the work folder is one a work file is given (or the one
// fixed name that earlier versions gave every work file).
bool IsWorkFileName(const QByteArray& name);
