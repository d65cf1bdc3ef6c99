#include "summary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "benchmark.h"
#include "records.h"

namespace {

constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

TEST(Median, TakesTheMiddleAndLeavesOutNan) {
    struct median_case {
        const char* name;
        std::vector<double> values;
        double expected;
    };
    const std::vector<median_case> cases{
        {"one value", {3}, 3},
        {"odd count, unsorted", {5, 1, 3}, 3},
        {"even count: mean of the middle two", {4, 1, 3, 2}, 2.5},
        {"nan left out", {nan_value, 1, 3}, 2},
        {"infinity is a value", {inf, 1, 2}, 2},
        {"mean of huge values does not overflow", {1e308, 1.5e308}, 1.25e308},
    };
    for (const median_case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(median(c.values), c.expected);
    }
    EXPECT_TRUE(std::isnan(median({})));
    EXPECT_TRUE(std::isnan(median({nan_value, nan_value})));
}

// Run 1: 10000 (2x), 15000 failed, 22500 (1.5x). Run 2: 10000 (4x), 15000 (3x).
std::vector<log_run> two_runs() {
    std::vector<log_record> records{passed_record(10000, 0.2, 0.1),
                                    {},
                                    passed_record(22500, 0.3, 0.2),
                                    passed_record(10000, 0.4, 0.1),
                                    passed_record(15000, 0.3, 0.1)};
    records[1].kind = record_kind::serial_failure;
    return place_in_runs(records, series_sizes()).runs;
}

TEST(Summarise, GathersEachSizeOverTheRuns) {
    const log_summary s = summarise(two_runs(), series_sizes());
    ASSERT_EQ(s.sizes.size(), series_sizes().size());

    const size_summary& first = s.sizes[0];
    EXPECT_EQ(first.size, 10000);
    EXPECT_EQ(first.runs, 2);
    EXPECT_EQ(first.failures, 0);
    EXPECT_DOUBLE_EQ(first.median_sequential_seconds, 0.3);
    EXPECT_DOUBLE_EQ(first.median_parallel_seconds, 0.1);
    EXPECT_DOUBLE_EQ(first.min_speedup, 2);
    EXPECT_DOUBLE_EQ(first.median_speedup, 3);
    EXPECT_DOUBLE_EQ(first.max_speedup, 4);

    // The failure counts as a run at the size but adds no time.
    const size_summary& second = s.sizes[1];
    EXPECT_EQ(second.runs, 2);
    EXPECT_EQ(second.failures, 1);
    EXPECT_DOUBLE_EQ(second.median_speedup, 3);
    EXPECT_DOUBLE_EQ(second.min_speedup, 3);

    EXPECT_EQ(s.sizes[2].runs, 1);
    EXPECT_EQ(s.sizes[3].runs, 0);
    EXPECT_TRUE(std::isnan(s.sizes[3].median_sequential_seconds));
    EXPECT_TRUE(std::isnan(s.sizes[3].min_speedup));
    EXPECT_TRUE(std::isnan(s.sizes[3].max_speedup));
}

TEST(Summarise, DescribesEachRunByItsLargestPassingSize) {
    std::vector<log_record> records = records_of("10000 15000 s");
    records[1].speedup = 1.25;
    std::vector<log_run> runs = place_in_runs(records, series_sizes()).runs;
    const std::vector<log_run> failed_only = place_in_runs(records_of("p"), series_sizes()).runs;
    runs.push_back(failed_only[0]);

    const log_summary s = summarise(runs, series_sizes());
    ASSERT_EQ(s.runs.size(), 2u);
    EXPECT_EQ(s.runs[0].entries, 3u);
    EXPECT_EQ(s.runs[0].failures, 1u);
    EXPECT_EQ(s.runs[0].largest_size, 15000);
    EXPECT_DOUBLE_EQ(s.runs[0].speedup_at_largest, 1.25);
    EXPECT_EQ(s.runs[1].failures, 1u);
    EXPECT_EQ(s.runs[1].largest_size, 0);
}

TEST(Summarise, NanSpeedupsStayOutOfTheRange) {
    std::vector<log_record> records = records_of("10000 10000 10000");
    records[0].speedup = nan_value;
    records[2].speedup = 5;
    const log_summary s = summarise(place_in_runs(records, series_sizes()).runs, series_sizes());
    EXPECT_DOUBLE_EQ(s.sizes[0].min_speedup, 2);
    EXPECT_DOUBLE_EQ(s.sizes[0].median_speedup, 3.5);
    EXPECT_DOUBLE_EQ(s.sizes[0].max_speedup, 5);
}

TEST(WriteSummary, PrintsARowPerSizeAndALinePerRun) {
    std::ostringstream out;
    write_summary(out, summarise(two_runs(), series_sizes()));
    const std::string text = out.str();
    const std::vector<std::string> expected_lines{
        "   10000     2         0    0.300000    0.100000     2.00    3.00    4.00\n",
        "   15000     2         1    0.300000    0.100000     3.00    3.00    3.00\n",
        "   33750     0         0           -           -        -       -       -\n",
        " 9852435     0         0           -           -        -       -       -\n",
        "\n2 runs\n",
        "run 1: 3 entries, 1 failure, speedup 1.50 at size 22500\n",
        "run 2: 2 entries, 0 failures, speedup 3.00 at size 15000\n",
    };
    for (const std::string& line : expected_lines) {
        EXPECT_NE(text.find(line), std::string::npos) << "missing: " << line << "in:\n" << text;
    }
    // The header, 18 rows, a blank line, the run count and two runs.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 18 + 1 + 1 + 2);
}

TEST(WriteSummary, SaysWhenARunPassedNothing) {
    std::ostringstream out;
    write_summary(out,
                  summarise(place_in_runs(records_of("s p"), series_sizes()).runs, series_sizes()));
    EXPECT_NE(out.str().find("run 1: 2 entries, 2 failures, no passing trial\n"), std::string::npos)
        << out.str();
}

}  // namespace
