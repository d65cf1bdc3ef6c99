#pragma once

#include <cstddef>
#include <iosfwd>
#include <vector>

#include "runs.h"

// The middle of the values (the mean of the two middle ones for an even
// count), leaving out NaN, which has no place in an order; NaN when nothing
// is left.
double median(std::vector<double> values);

// Statistics of one size over all runs. The times and speedups come from the
// passing entries; each is NaN when the size has none.
struct size_summary {
    int size = 0;
    int runs = 0;  // runs with an entry at this size
    int failures = 0;
    double median_sequential_seconds = 0.0;
    double median_parallel_seconds = 0.0;
    double min_speedup = 0.0;
    double median_speedup = 0.0;
    double max_speedup = 0.0;
};

struct run_summary {
    std::size_t entries = 0;
    std::size_t failures = 0;
    // The largest size the run passed at and its speedup; size 0 when none.
    int largest_size = 0;
    double speedup_at_largest = 0.0;
};

struct log_summary {
    std::vector<size_summary> sizes;  // one per size of the series, in order
    std::vector<run_summary> runs;    // in log order
};

log_summary summarise(const std::vector<log_run>& runs, const std::vector<int>& sizes);

// The table, one row per size, then one line per run (numbered from 1).
void write_summary(std::ostream& out, const log_summary& summary);
