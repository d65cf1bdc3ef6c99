// Writes a made-up log of many velmora and tessik runs, through the programs'
// own record writers, for timing sortlog on a large file.
//
// usage: synthetic_log RUNS [FAILURE_RATE]   (appends to "test log.txt")
//
// Each run is the size series with plausible times; about FAILURE_RATE of the
// trials (default 0.001) are failure records of either program, and one run in
// 50 stops early.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "benchmark.h"
#include "log_report.h"

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: synthetic_log RUNS [FAILURE_RATE]\n");
        return 2;
    }
    const long runs = std::strtol(argv[1], nullptr, 10);
    const double failure_rate = argc > 2 ? std::strtod(argv[2], nullptr) : 0.001;

    log_file = std::fopen(log_file_name, "a");
    if (log_file == nullptr) {
        std::perror(log_file_name);
        return 1;
    }
    // Buffered in large blocks: the writers flush each record, which would
    // make a big file slow to write.
    std::setvbuf(log_file, nullptr, _IOFBF, 1 << 20);

    std::mt19937 random(1);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const std::vector<int> sizes = series_sizes();
    for (long run = 0; run < runs; ++run) {
        const std::size_t length =
            unit(random) < 0.02 ? 1 + random() % sizes.size() : sizes.size();
        for (std::size_t i = 0; i < length; ++i) {
            const int n = sizes[i];
            const program p = random() % 2 == 0 ? program::velmora : program::tessik;
            if (unit(random) < failure_rate) {
                const int location = 1 + static_cast<int>(random() % static_cast<unsigned>(n - 1));
                if (random() % 2 == 0) {
                    log_serial_failure(p, location);
                } else {
                    log_parallel_failure(p, location);
                }
                continue;
            }
            const double sequential = n * 8.5e-8 * (0.9 + 0.2 * unit(random));
            const double speedup = std::min(1.95, 0.6 + n / 4e5) * (0.85 + 0.2 * unit(random));
            log_result(p, n, sequential, sequential / speedup, speedup);
        }
    }
    return 0;
}
