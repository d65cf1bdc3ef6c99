#include "scheduler.h"

#include <atomic>
#include <thread>

#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/partitioner.h>
#include <oneapi/tbb/task_arena.h>
#include <oneapi/tbb/tick_count.h>

namespace {

// Long enough for a loaded machine to start a thread, short enough that a
// worker that never comes does not stall the run.
constexpr double worker_start_limit_seconds = 1.0;

// TBB creates its workers lazily, when work first arrives. Give it one task per
// thread of the arena, each of which waits until every thread holds one: that
// can only end once every worker is up and has joined.
void bring_up_workers() {
    const int threads = tbb::this_task_arena::max_concurrency();
    std::atomic<int> arrived{0};
    const tbb::tick_count start = tbb::tick_count::now();
    tbb::parallel_for(
        0, threads,
        [&](int) {
            arrived.fetch_add(1);
            while (arrived.load() < threads &&
                   (tbb::tick_count::now() - start).seconds() < worker_start_limit_seconds) {
                std::this_thread::yield();
            }
        },
        tbb::simple_partitioner());
}

}  // namespace

tbb::task_scheduler_handle start_scheduler() {
    tbb::task_scheduler_handle scheduler{tbb::attach{}};
    bring_up_workers();
    return scheduler;
}

void end_scheduler(tbb::task_scheduler_handle& scheduler) {
    // Blocks until the workers have exited. It declines (returns false) only
    // when another part of the process still holds the scheduler; the handle
    // is then just released, which is all there is left to do.
    if (!tbb::finalize(scheduler, std::nothrow)) {
        scheduler.release();
    }
}
