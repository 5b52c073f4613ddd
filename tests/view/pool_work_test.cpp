#include "view/pool_work.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <thread>
#include <vector>

namespace {

constexpr int kCount = 500;
// Long enough that a free pool thread joins the caller before it is done.
constexpr int kWorkMicroseconds = 200;

// Every index runs once, and the caller is one of the workers: a pool of
// one thread runs all on the caller, and a pool whose threads are all busy
// with other work neither holds the caller up nor is waited for.
TEST(PoolWork, EveryIndexRunsOnceAndTheCallerWorksToo)
{
    QThreadPool* pool = QThreadPool::globalInstance();
    const struct {
        const char* name;
        int threads;
        int busy;
    } rows[] = {{"one thread", 1, 0}, {"two threads", 2, 0}, {"two busy threads", 2, 2}};
    for (const auto& row : rows) {
        pool->setMaxThreadCount(row.threads);
        QSemaphore release;
        for (int b = 0; b < row.busy; ++b)
            pool->start([&release] { release.acquire(); });
        std::vector<std::thread::id> on(kCount);
        std::vector<int> runs(kCount, 0);
        auto run = std::async(std::launch::async, [&] {
            RunOnPool(kCount, [&](int i) {
                on[static_cast<std::size_t>(i)] = std::this_thread::get_id();
                ++runs[static_cast<std::size_t>(i)];
                QThread::usleep(kWorkMicroseconds);
            });
            return std::this_thread::get_id();
        });
        const bool returned = run.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        release.release(row.busy);
        const std::thread::id caller = run.get();
        pool->waitForDone();
        EXPECT_TRUE(returned) << row.name;
        EXPECT_EQ(std::count(runs.begin(), runs.end(), 1), kCount) << row.name;
        const auto onCaller = std::count(on.begin(), on.end(), caller);
        EXPECT_EQ(onCaller == kCount, row.threads == 1 || row.busy == row.threads) << row.name;
        EXPECT_GT(onCaller, 0) << row.name;
    }
    pool->setMaxThreadCount(QThread::idealThreadCount());
}

} // namespace
