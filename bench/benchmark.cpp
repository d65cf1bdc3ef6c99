#include "benchmark.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

#include "log_report.h"
#include "memory.h"
#include "trial.h"

namespace {

constexpr int first_size = 10000;
constexpr int size_limit = 10000000;

}  // namespace

std::vector<int> series_sizes() {
    std::vector<int> sizes;
    int n = first_size;
    do {
        sizes.push_back(n);
        n = n + n / 2;
    } while (n < size_limit);
    return sizes;
}

int run_series(program p, const std::function<int(int)>& trial) {
    int status = trial_passed;
    for (const int n : series_sizes()) {
        int result = trial_passed;
        try {
            result = trial(n);
        } catch (const std::bad_alloc&) {
            // Every finished trial's record is already in the file.
            std::fprintf(stderr, "%s: not enough memory for the trial of %d points; stopping\n",
                         program_name(p), n);
            return out_of_memory;
        }
        if (result == log_unusable) return log_unusable;
        if (result != trial_passed) status = result;
    }
    return status;
}

int run_benchmark(program p) {
    log_file = std::fopen(log_file_name, "a");
    if (log_file == nullptr) {
        std::fprintf(stderr, "%s: cannot open '%s' for appending: %s\n", program_name(p),
                     log_file_name, std::strerror(errno));
        return log_unusable;
    }

    keep_freed_memory_in_process();
    const int status = run_series(p, [p](int n) { return run_trial(p, n); });
    if (status == log_unusable || status == out_of_memory) return status;

    // Flushed so that the prompt shows even when the output is a pipe.
    std::cout << closing_line(p) << std::flush;
    std::getchar();
    return status;
}
