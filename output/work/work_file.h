#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The file in which the frames of one recording collect, back to back, until
// the clip is written. It is created afresh in the private work folder,
// never through a link, and held with an exclusive flock for as long as it
// is open, which also keeps out a second recording in the same process. A
// file left behind by a crash holds no lock and is replaced.
class WorkFile {
public:
    explicit WorkFile(QString path);
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    const QString& Path() const { return path_; }
    bool IsOpen() const { return fd_ >= 0; }
    // False when the file cannot be made or another recording holds it.
    bool Open();
    // Writes bytes at offset; when that fails the file is cut back to offset.
    bool Write(std::int64_t offset, const QByteArray& bytes);
    bool Read(std::int64_t offset, char* data, std::int64_t size) const;
    // Removes the file, but only while it still is the one this object made.
    void Close();

private:
    void RemoveStale();
    bool StillOurs() const;

    QString path_;
    QByteArray name_;
    int folder_ = -1;
    int fd_ = -1;
};
