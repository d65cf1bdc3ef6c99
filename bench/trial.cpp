#include "trial.h"

#include <oneapi/tbb/parallel_sort.h>

#include "console_report.h"
#include "log_report.h"

int first_out_of_order(const std::vector<point>& samples) {
    return static_cast<int>(std::is_sorted_until(samples.begin(), samples.end()) -
                            samples.begin());
}

int check_and_report(program p, const std::vector<point>& serial,
                     const std::vector<point>& parallel, double sequential_seconds,
                     double parallel_seconds) {
    const int n = static_cast<int>(serial.size());
    const bool echo = echoes_to_console(p);

    if (const int location = first_out_of_order(serial); location < n) {
        if (echo) echo_serial_failure(location);
        return log_serial_failure(p, location) ? serial_sort_failed : log_unusable;
    }
    if (const int location = first_out_of_order(parallel); location < n) {
        if (echo) echo_parallel_failure(location);
        return log_parallel_failure(p, location) ? parallel_sort_failed : log_unusable;
    }

    const double speedup = sequential_seconds / parallel_seconds;
    if (!log_result(p, n, sequential_seconds, parallel_seconds, speedup)) return log_unusable;
    if (echo) echo_result(n, sequential_seconds, parallel_seconds, speedup);
    return trial_passed;
}

int run_trial(program p, int n) {
    return run_trial_with(
        p, n, [](std::vector<point>& samples) { std::sort(samples.begin(), samples.end()); },
        [](std::vector<point>& samples) { tbb::parallel_sort(samples.begin(), samples.end()); });
}
