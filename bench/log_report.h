#pragma once

#include <cstdio>

#include "program.h"

// The log that successive runs append to, in the working directory.
constexpr const char* log_file_name = "test log.txt";

// The record of a passing trial, the same in both programs.
constexpr const char* result_form =
    "\nSize = %d \nSequential time = %f \nParallel time = %f \nSpeedup of parallelism is %f";

// The open log stream; set once by the driver before the first trial.
extern std::FILE* log_file;

// Each call appends one record and flushes it at once, so that a crash, a kill
// or Ctrl-C at the closing prompt loses no finished trial. On a failed write it
// says so on standard error and returns false.
bool log_result(program p, int n, double sequential_seconds, double parallel_seconds,
                double speedup);
bool log_serial_failure(program p, int location);
bool log_parallel_failure(program p, int location);
