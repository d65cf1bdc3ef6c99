#pragma once

#include <functional>
#include <vector>

#include "program.h"

// Exit status when a trial's arrays do not fit in memory; the other statuses
// are the trial codes of trial.h.
constexpr int out_of_memory = 4;

// The trial sizes in order: 10000 growing by half (integer division) while
// below ten million.
std::vector<int> series_sizes();

// Runs trial(n) for every size. Returns 0 when all passed, else the code of the
// most recent failing trial; stops early, with that status, when the log
// cannot be written or a trial runs out of memory.
int run_series(program p, const std::function<int(int)>& trial);

// The whole program: opens the log, runs the series, writes the closing line
// and waits for Enter. Returns the exit status.
int run_benchmark(program p);
