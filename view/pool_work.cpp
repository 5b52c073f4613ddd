#include "view/pool_work.h"

#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <atomic>

void RunOnPool(int count, const std::function<void(int)>& work)
{
    if (count <= 0)
        return;
    QThreadPool* pool = QThreadPool::globalInstance();
    const int workers = std::clamp(pool->maxThreadCount(), 1, count);
    std::atomic<int> next{0};
    QSemaphore finished;
    for (int w = 0; w < workers; ++w) {
        pool->start([&] {
            for (int i = next++; i < count; i = next++)
                work(i);
            finished.release();
        });
    }
    finished.acquire(workers);
}
