#include "view/pool_work.h"

#include <QRunnable>
#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

// The caller takes work too: it is running already, where a pool thread
// woken for it may first have to wait for a core, and a frame of a few
// milliseconds feels every such wait.
void RunOnPool(int count, const std::function<void(int)>& work)
{
    if (count <= 0)
        return;
    QThreadPool* pool = QThreadPool::globalInstance();
    const int helpers = std::clamp(pool->maxThreadCount(), 1, count) - 1;
    std::atomic<int> next{0};
    const auto takeWork = [&] {
        for (int i = next++; i < count; i = next++)
            work(i);
    };
    QSemaphore finished;
    std::vector<std::unique_ptr<QRunnable>> started;
    for (int h = 0; h < helpers; ++h) {
        started.emplace_back(QRunnable::create([&] {
            takeWork();
            finished.release();
        }));
        started.back()->setAutoDelete(false);
        pool->start(started.back().get());
    }
    takeWork();
    // A helper still queued behind other work is not waited for.
    int running = 0;
    for (const auto& helper : started)
        running += pool->tryTake(helper.get()) ? 0 : 1;
    finished.acquire(running);
}
