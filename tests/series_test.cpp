#include "benchmark.h"

#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "trial.h"

namespace {

TEST(series, grows_by_half_from_ten_thousand_while_below_ten_million) {
    const std::vector<int> expected = {10000,   15000,   22500,   33750,   50625,   75937,
                                       113905,  170857,  256285,  384427,  576640,  864960,
                                       1297440, 1946160, 2919240, 4378860, 6568290, 9852435};
    EXPECT_EQ(series_sizes(), expected);
}

// Plays back a fixed result per trial and notes the sizes it was asked for.
struct scripted_trials {
    std::vector<int> results;
    std::vector<int> sizes_run;

    int operator()(int n) {
        sizes_run.push_back(n);
        return results[sizes_run.size() - 1];
    }
};

std::vector<int> results_with(std::vector<std::pair<int, int>> at_positions) {
    std::vector<int> results(series_sizes().size(), trial_passed);
    for (const auto& [position, result] : at_positions) {
        results[static_cast<std::size_t>(position)] = result;
    }
    return results;
}

TEST(series, status_is_the_most_recent_failure_or_zero) {
    struct run {
        std::vector<std::pair<int, int>> failures;
        int expected_status;
    };
    const run runs[] = {
        {{}, 0},
        {{{3, serial_sort_failed}}, serial_sort_failed},
        {{{0, parallel_sort_failed}}, parallel_sort_failed},
        {{{2, serial_sort_failed}, {9, parallel_sort_failed}}, parallel_sort_failed},
        {{{2, parallel_sort_failed}, {9, serial_sort_failed}}, serial_sort_failed},
        {{{4, parallel_sort_failed}, {17, serial_sort_failed}}, serial_sort_failed},
    };
    for (const run& r : runs) {
        scripted_trials trials{results_with(r.failures), {}};
        EXPECT_EQ(run_series(program::velmora, std::ref(trials)), r.expected_status);
        EXPECT_EQ(trials.sizes_run, series_sizes()) << "every size runs, failures or not";
    }
}

TEST(series, stops_when_the_log_cannot_be_written) {
    scripted_trials trials{results_with({{1, serial_sort_failed}, {5, log_unusable}}), {}};
    EXPECT_EQ(run_series(program::tessik, std::ref(trials)), log_unusable);
    EXPECT_EQ(trials.sizes_run.size(), 6U);
}

TEST(series, stops_and_names_the_size_when_memory_runs_out) {
    int trials_run = 0;
    testing::internal::CaptureStderr();
    const int status = run_series(program::velmora, [&](int n) {
        ++trials_run;
        if (n == 50625) throw std::bad_alloc();
        return trial_passed;
    });
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, out_of_memory);
    EXPECT_EQ(trials_run, 5);
    EXPECT_EQ(message, "velmora: not enough memory for the trial of 50625 points; stopping\n");
}

}  // namespace
