#pragma once

#include <functional>

// Runs work(0) to work(count - 1) on the calling thread and the threads of
// Qt's global pool, as many at once as the pool's most threads, and returns
// when all are done: with a pool of one thread the caller runs them all. work
// must touch nothing another index touches.
void RunOnPool(int count, const std::function<void(int)>& work);
