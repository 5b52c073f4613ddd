#pragma once

#include <QImage>

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Pictures wait at most this many at a time for the encoder: enough to
// ride out a slow frame, little enough to hold in memory at any size.
constexpr std::size_t kQueuedPictures = 4;

// Hands pictures to an encoding function on a thread of its own, so that
// encoding never holds up the one who draws them. No picture is dropped:
// when the queue is full, Push waits. Each picture is copied into a buffer
// of the worker's own, reused from picture to picture, so that the caller
// can draw its next picture at once. A failure of the encoding stops it and
// is thrown by the next Push or by Drain.
class EncodingWorker {
public:
    using Encode = std::function<void(const QImage&)>;
    // Called while Drain waits, with the pictures still to encode.
    using Waiting = std::function<void(int left)>;

    explicit EncodingWorker(Encode encode);
    // Stops at once; pictures still queued are not encoded.
    ~EncodingWorker();
    EncodingWorker(const EncodingWorker&) = delete;
    EncodingWorker& operator=(const EncodingWorker&) = delete;

    void Push(const QImage& picture);
    // Waits until every picture pushed is encoded.
    void Drain(const Waiting& waiting);

private:
    void Run();
    void ThrowFailure();

    Encode encode_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QImage> queue_;
    std::vector<QImage> spare_;
    bool busy_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};
