#pragma once

// What tessik shows of each trial, in the console's default number format.
void echo_result(int n, double sequential_seconds, double parallel_seconds, double speedup);

// A failure line stays open: the next block, failure line or the closing line
// continues from its end.
void echo_serial_failure(int location);
void echo_parallel_failure(int location);
