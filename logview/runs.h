#pragma once

#include <cstddef>
#include <vector>

#include "log_records.h"

// The log is runs of the size series laid end to end, and a run may stop
// early. Placing entries:
// - a passing record's size fixes its position in the series;
// - a failure record, which carries no size, takes the position after the
//   entry before it;
// - a new run starts when an entry's position is not after the previous
//   entry's, or when a failure would fall past the last size.
// Two consequences: a run that stopped early followed by a run that starts
// with failures looks like one run until the next passing record; and a
// position can be skipped where damaged text stood.

struct run_entry {
    std::size_t position = 0;  // index into the series
    int size = 0;
    log_record record;
};

struct log_run {
    std::vector<run_entry> entries;  // positions strictly increasing
};

struct placed_log {
    std::vector<log_run> runs;
    // Passing records whose size is not one of the series.
    std::vector<log_record> unplaced;
};

// sizes is the series, ascending.
placed_log place_in_runs(const std::vector<log_record>& records, const std::vector<int>& sizes);
