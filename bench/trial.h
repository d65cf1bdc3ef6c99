#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>

#include <oneapi/tbb/tick_count.h>

#include "point.h"
#include "program.h"
#include "scheduler.h"

// What a trial returns; the driver turns it into the exit status.
constexpr int trial_passed = 0;
constexpr int serial_sort_failed = 1;
constexpr int parallel_sort_failed = 2;
constexpr int log_unusable = 3;  // the log cannot be opened or written

// Sorts n rand() values with std::sort and the same values with
// tbb::parallel_sort, checks both, and reports the times or the first fault.
// The arrays and the scheduler live only for this call.
int run_trial(program p, int n);

// Index of the first element smaller than its predecessor; the size when the
// samples are in order. Equal neighbours are in order.
int first_out_of_order(const std::vector<point>& samples);

// Checks both arrays (the serial first; its fault hides a parallel one) and
// writes the record and, in tessik, the console text. Returns the trial's code.
int check_and_report(program p, const std::vector<point>& serial,
                     const std::vector<point>& parallel, double sequential_seconds,
                     double parallel_seconds);

// run_trial with the sorts given: the real ones in the programs, faulty ones in
// tests of the failure paths. Each timed region holds the sort call alone.
template <typename serial_sort_fn, typename parallel_sort_fn>
int run_trial_with(program p, int n, serial_sort_fn serial_sort, parallel_sort_fn parallel_sort) {
    const auto size = static_cast<std::size_t>(n);
    std::vector<point> serial(size);
    std::vector<point> parallel(size);
    for (std::size_t i = 0; i < size; ++i) {
        serial[i].value = static_cast<double>(std::rand());
        parallel[i] = serial[i];
    }

    const tbb::tick_count t0 = tbb::tick_count::now();
    serial_sort(serial);
    const tbb::tick_count t1 = tbb::tick_count::now();

    tbb::task_scheduler_handle scheduler = start_scheduler();

    const tbb::tick_count t2 = tbb::tick_count::now();
    parallel_sort(parallel);
    const tbb::tick_count t3 = tbb::tick_count::now();

    const int result =
        check_and_report(p, serial, parallel, (t1 - t0).seconds(), (t3 - t2).seconds());
    end_scheduler(scheduler);
    return result;
}
