#pragma once

#include <oneapi/tbb/global_control.h>

// One trial's life of the TBB scheduler, with the automatic number of threads
// and the default stack size.

// Brings the runtime and all its worker threads up, so that no timed sort pays
// for their start.
tbb::task_scheduler_handle start_scheduler();

// Lets the worker threads go and waits until they have exited, so that what
// follows (the next trial's serial sort, the closing prompt) runs in a
// single-threaded process.
void end_scheduler(tbb::task_scheduler_handle& scheduler);
