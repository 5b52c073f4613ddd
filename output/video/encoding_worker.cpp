#include "output/video/encoding_worker.h"

#include <chrono>
#include <cstring>

namespace {

// How often a waiting Drain reports.
constexpr std::chrono::milliseconds kWaitingInterval(50);

// Into the buffer the worker already has where it fits: a fresh picture
// each frame would cost the system new pages every time.
void CopyPixels(const QImage& from, QImage& to)
{
    if (to.size() != from.size() || to.format() != from.format() || to.bytesPerLine() != from.bytesPerLine()) {
        to = from.copy();
        return;
    }
    std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
}

} // namespace

EncodingWorker::EncodingWorker(Encode encode) : encode_(std::move(encode)), thread_([this] { Run(); }) {}

EncodingWorker::~EncodingWorker()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void EncodingWorker::ThrowFailure()
{
    if (failure_)
        std::rethrow_exception(failure_);
}

void EncodingWorker::Push(const QImage& picture)
{
    QImage copy;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return queue_.size() < kQueuedPictures || failure_; });
        ThrowFailure();
        if (!spare_.empty()) {
            copy = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    CopyPixels(picture, copy);
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(copy));
    changed_.notify_all();
}

void EncodingWorker::Drain(const Waiting& waiting)
{
    std::unique_lock lock(mutex_);
    while (!changed_.wait_for(lock, kWaitingInterval, [this] { return (queue_.empty() && !busy_) || failure_; })) {
        const int left = static_cast<int>(queue_.size()) + (busy_ ? 1 : 0);
        lock.unlock();
        if (waiting)
            waiting(left);
        lock.lock();
    }
    ThrowFailure();
}

void EncodingWorker::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
        if (stopping_)
            return;
        QImage picture = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            encode_(picture);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        busy_ = false;
        if (spare_.size() <= kQueuedPictures)
            spare_.push_back(std::move(picture));
        if (failure) {
            failure_ = failure;
            queue_.clear();
        }
        changed_.notify_all();
    }
}
