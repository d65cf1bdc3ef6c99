// Times as many rand() draws as one run of the benchmark makes (one per
// element of every trial): the part of a run's cost that no implementation can
// avoid besides the sorts themselves. Prints the seconds.

#include <cstdio>
#include <cstdlib>

#include <oneapi/tbb/tick_count.h>

#include "benchmark.h"

int main() {
    long long draws = 0;
    for (const int n : series_sizes()) draws += n;

    // Summed so that the compiler cannot drop the calls.
    unsigned long long sum = 0;
    const tbb::tick_count start = tbb::tick_count::now();
    for (long long i = 0; i < draws; ++i) sum += static_cast<unsigned long long>(std::rand());
    const double seconds = (tbb::tick_count::now() - start).seconds();

    std::printf("%.6f\n", seconds);
    std::fprintf(stderr, "%lld draws, checksum %llu\n", draws, sum);
    return 0;
}
