#pragma once

#include "model/atomic_file.h"

#include <QFile>
#include <QIODevice>

#include <algorithm>

// A device that takes writes into a 16 KiB buffer and the buffer onto a
// disk of the given room.
class DiskWithRoom final : public QIODevice {
public:
    explicit DiskWithRoom(qint64 room) : room_(room) {}

    bool Drain()
    {
        const qint64 fits = std::min<qint64>(room_ - disk.size(), buffer_.size());
        disk += buffer_.left(fits);
        const bool all = fits == buffer_.size();
        buffer_.clear();
        if (!all)
            setErrorString(QStringLiteral("No space left on device"));
        return all;
    }

    QByteArray disk;
    bool writeFailed = false; // a write() itself was refused

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        buffer_.append(data, size);
        if (buffer_.size() >= kBuffer && !Drain()) {
            writeFailed = true;
            return -1;
        }
        return size;
    }

private:
    static constexpr qint64 kBuffer = 16384;
    qint64 room_;
    QByteArray buffer_;
};

// A stand-in for QSaveFile on a disk with room for a given number of bytes.
// Like a QFileDevice it keeps writes in a 16 KiB buffer and hands them to
// the disk when the buffer is full or on a flush; like QSaveFile's commit it
// overlooks a failure of that last flush, the fault the writers must guard
// against. A commit puts what reached the disk in place of the file.
class FailingFile final : public PendingFile {
public:
    FailingFile(QString path, qint64 room) : path_(std::move(path)), device_(room) { device_.open(QIODevice::WriteOnly); }

    QIODevice& Device() override { return device_; }
    bool Flush() override { return device_.Drain(); }
    bool Commit() override
    {
        device_.Drain(); // its failure goes unseen, as in QSaveFile
        device_.close();
        if (device_.writeFailed || discarded)
            return false;
        QFile file(path_);
        committed = file.open(QIODevice::WriteOnly) && file.write(device_.disk) == device_.disk.size();
        return committed;
    }
    void Discard() override
    {
        discarded = true;
        device_.close();
    }
    QString ErrorString() const override { return device_.errorString(); }

    const QByteArray& Disk() const { return device_.disk; }
    bool committed = false;
    bool discarded = false;

private:
    QString path_;
    DiskWithRoom device_;
};
