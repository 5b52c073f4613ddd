#pragma once

#include <functional>

// Runs work(0) to work(count - 1) on the threads of Qt's global pool, as
// many at once as the pool allows, and returns when all are done. The
// calling thread only waits, so that a pool of one thread runs one at a
// time. work must touch nothing another index touches.
void RunOnPool(int count, const std::function<void(int)>& work);
