#include "trial.h"

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report_capture.h"

namespace {

void sort_correctly(std::vector<point>& samples) { std::sort(samples.begin(), samples.end()); }

// Sorts, then puts a value below its predecessor at `location`, so the first
// out-of-order pair ends exactly there (when the array is long enough).
auto sort_with_fault_at(int location) {
    return [location](std::vector<point>& samples) {
        sort_correctly(samples);
        const auto at = static_cast<std::size_t>(location);
        if (at < samples.size()) samples[at].value = samples[at - 1].value - 1.0;
    };
}

TEST(first_out_of_order, finds_the_later_element_of_the_first_descending_pair) {
    struct check {
        std::vector<double> values;
        int expected;
    };
    const check checks[] = {
        {{}, 0},           {{5}, 1},           {{3, 3, 3}, 3},     {{1, 2, 2, 9}, 4},
        {{2, 1}, 1},       {{1, 3, 2, 1}, 2},  {{1, 1, 0, 5}, 2},  {{0, 1, 2, 3, 2.5}, 4},
    };
    for (const check& c : checks) {
        std::vector<point> samples;
        for (const double v : c.values) samples.push_back(point{v});
        EXPECT_EQ(first_out_of_order(samples), c.expected) << "case of " << c.values.size();
    }
}

TEST(trial, a_serial_fault_hides_the_parallel_one) {
    for (const program p : {program::velmora, program::tessik}) {
        report_capture capture;
        EXPECT_EQ(run_trial_with(p, 1000, sort_with_fault_at(5), sort_with_fault_at(7)),
                  serial_sort_failed);
        const std::string text = capture.text();
        EXPECT_NE(text.find("Serial sort is not correct starting at location 5 "),
                  std::string::npos);
        EXPECT_EQ(text.find("Parallel"), std::string::npos) << text;
        EXPECT_EQ(text.find("Size"), std::string::npos) << "a failing trial reports no times";
    }
}

TEST(trial, a_parallel_fault_is_reported_with_its_location) {
    report_capture capture;
    EXPECT_EQ(run_trial_with(program::velmora, 1000, sort_correctly, sort_with_fault_at(999)),
              parallel_sort_failed);
    EXPECT_EQ(capture.text(),
              "\n \n \n \n Error: Parallel sort is not correct starting at location 999 \n \n \n \n");
}

TEST(trial, tessik_shows_a_failure_on_the_console_before_the_log_record) {
    report_capture capture;
    EXPECT_EQ(run_trial_with(program::tessik, 100, sort_with_fault_at(42), sort_correctly),
              serial_sort_failed);
    EXPECT_EQ(capture.text(),
              "\nError: Serial sort is not correct starting at location 42"
              "\n\nError: Serial sort is not correct starting at location 42 \n");
}

TEST(trial, tessik_shows_a_pass_on_the_console_after_the_log_record) {
    report_capture capture;
    EXPECT_EQ(run_trial(program::tessik, 20000), trial_passed);
    const std::regex log_then_console(
        "\nSize = 20000 \nSequential time = \\d+\\.\\d{6} \nParallel time = \\d+\\.\\d{6} "
        "\nSpeedup of parallelism is \\d+\\.\\d{6}"
        "\nSize = 20000\nSequential time = [0-9.e+-]+\nParallel time = [0-9.e+-]+"
        "\nSpeedup of parallelism is [0-9.e+-]+\n");
    const std::string text = capture.text();
    EXPECT_TRUE(std::regex_match(text, log_then_console)) << text;
}

TEST(trial, velmora_writes_nothing_to_the_console) {
    report_capture capture;
    EXPECT_EQ(run_trial_with(program::velmora, 50, sort_with_fault_at(3), sort_correctly),
              serial_sort_failed);
    EXPECT_EQ(run_trial(program::velmora, 50), trial_passed);
    // Only the two log records: a console line would sit between or after them.
    const std::regex records_only(
        "\n \n \n \n Error: Serial sort is not correct starting at location 3 \n \n \n \n"
        "\nSize = 50 \nSequential time = \\d+\\.\\d{6} \nParallel time = \\d+\\.\\d{6} "
        "\nSpeedup of parallelism is [^\n]+");
    const std::string text = capture.text();
    EXPECT_TRUE(std::regex_match(text, records_only)) << text;
}

TEST(trial, the_record_holds_both_times_and_their_quotient) {
    report_capture capture;
    ASSERT_EQ(run_trial(program::velmora, 200000), trial_passed);
    const std::string text = capture.text();
    double sequential = 0;
    double parallel = 0;
    double speedup = 0;
    int n = 0;
    ASSERT_EQ(std::sscanf(text.c_str(),
                          "\nSize = %d \nSequential time = %lf \nParallel time = %lf "
                          "\nSpeedup of parallelism is %lf",
                          &n, &sequential, &parallel, &speedup),
              4)
        << text;
    EXPECT_EQ(n, 200000);
    EXPECT_GT(sequential, 0.0);
    EXPECT_GT(parallel, 0.0);
    // The printed times are rounded to microseconds; the quotient is of the exact ones.
    EXPECT_NEAR(speedup, sequential / parallel, speedup * 2e-6 / std::min(sequential, parallel));
}

TEST(trial, equal_values_are_in_order) {
    report_capture capture;
    const std::vector<point> equal(64, point{7.0});
    std::vector<point> runs;
    for (const double v : {1.0, 1.0, 2.0, 2.0, 2.0, 3.0}) runs.push_back(point{v});
    EXPECT_EQ(check_and_report(program::velmora, equal, equal, 0.5, 0.25), trial_passed);
    EXPECT_EQ(check_and_report(program::tessik, runs, runs, 0.5, 0.25), trial_passed);
    EXPECT_EQ(capture.text().find("Error"), std::string::npos);
}

TEST(trial, empty_and_single_element_arrays_pass) {
    for (const int n : {0, 1}) {
        report_capture capture;
        EXPECT_EQ(run_trial(program::tessik, n), trial_passed);
        EXPECT_EQ(capture.text().rfind("\nSize = " + std::to_string(n) + " \n", 0), 0U);
    }
}

TEST(trial, both_arrays_hold_the_next_stretch_of_rand_draws) {
    std::vector<std::vector<point>> serial_inputs;
    std::vector<std::vector<point>> parallel_inputs;
    const auto keep_serial = [&](std::vector<point>& s) { serial_inputs.push_back(s); };
    const auto keep_parallel = [&](std::vector<point>& s) { parallel_inputs.push_back(s); };

    report_capture capture;
    std::srand(7);
    run_trial_with(program::velmora, 5, keep_serial, keep_parallel);
    run_trial_with(program::velmora, 3, keep_serial, keep_parallel);

    std::srand(7);
    std::vector<double> draws;
    for (int i = 0; i < 8; ++i) draws.push_back(static_cast<double>(std::rand()));

    ASSERT_EQ(serial_inputs.size(), 2U);
    std::vector<double> seen;
    for (const auto& input : serial_inputs) {
        for (const point& x : input) seen.push_back(x.value);
    }
    EXPECT_EQ(seen, draws);
    for (std::size_t trial = 0; trial < 2; ++trial) {
        ASSERT_EQ(parallel_inputs[trial].size(), serial_inputs[trial].size());
        for (std::size_t i = 0; i < serial_inputs[trial].size(); ++i) {
            EXPECT_EQ(parallel_inputs[trial][i].value, serial_inputs[trial][i].value);
        }
    }
}

TEST(trial, an_unwritable_log_ends_the_trial_with_its_own_code) {
    struct outcome {
        int (*run)();
    };
    const outcome outcomes[] = {
        {[] { return run_trial(program::velmora, 100); }},
        {[] { return run_trial_with(program::tessik, 100, sort_with_fault_at(1), sort_correctly); }},
        {[] { return run_trial_with(program::velmora, 100, sort_correctly, sort_with_fault_at(2)); }},
    };
    for (const outcome& o : outcomes) {
        log_file = std::fopen("/dev/full", "w");
        ASSERT_NE(log_file, nullptr);
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        const int result = o.run();
        testing::internal::GetCapturedStdout();
        const std::string message = testing::internal::GetCapturedStderr();
        std::fclose(log_file);
        log_file = nullptr;
        EXPECT_EQ(result, log_unusable);
        EXPECT_NE(message.find("cannot write to 'test log.txt'"), std::string::npos);
    }
}

}  // namespace
