#include "runs.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "benchmark.h"
#include "records.h"

namespace {

std::string full_run() {
    std::string run;
    for (const int n : series_sizes()) run += std::to_string(n) + " ";
    return run;
}

std::vector<std::size_t> all_positions() {
    std::vector<std::size_t> positions(series_sizes().size());
    std::iota(positions.begin(), positions.end(), 0);
    return positions;
}

struct placement_case {
    const char* name;
    std::string records;
    std::vector<std::vector<std::size_t>> positions;  // per run
};

TEST(PlaceInRuns, SplitsTheLogIntoRunsOfTheSeries) {
    const std::vector<placement_case> cases{
        {"one full run", full_run(), {all_positions()}},
        {"two full runs back to back", full_run() + full_run(), {all_positions(), all_positions()}},
        {"a stopped run, then a new one", "10000 15000 22500 10000 15000", {{0, 1, 2}, {0, 1}}},
        {"the same size twice", "10000 10000", {{0}, {0}}},
        {"a failure takes the next position", "10000 s 22500 p", {{0, 1, 2, 3}}},
        {"a failure opens the log", "p 15000", {{0, 1}}},
        {"a failure after the last size opens a new run",
         full_run() + "s 15000",
         {all_positions(), {0, 1}}},
        {"a run whose first records were lost", "50625 75937 10000", {{4, 5}, {0}}},
        {"a lost record leaves a gap", "10000 33750 50625", {{0, 3, 4}}},
        // Without a size the failure cannot tell that a new run began: it
        // joins the stopped run, and the new run is seen at its next pass.
        {"a new run opening with a failure after a stopped run",
         "10000 15000 s 22500",
         {{0, 1, 2}, {2}}},
    };
    const std::vector<int> sizes = series_sizes();
    for (const placement_case& c : cases) {
        SCOPED_TRACE(c.name);
        const placed_log placed = place_in_runs(records_of(c.records), sizes);
        EXPECT_TRUE(placed.unplaced.empty());
        std::vector<std::vector<std::size_t>> positions;
        for (const log_run& run : placed.runs) {
            positions.emplace_back();
            for (const run_entry& e : run.entries) {
                positions.back().push_back(e.position);
                EXPECT_EQ(e.size, sizes[e.position]);
            }
        }
        EXPECT_EQ(positions, c.positions);
    }
}

TEST(PlaceInRuns, FailuresGetTheSizeOfTheirPositionAndKeepTheirRecord) {
    const placed_log placed = place_in_runs(records_of("10000 15000 p s"), series_sizes());
    ASSERT_EQ(placed.runs.size(), 1u);
    const std::vector<run_entry>& entries = placed.runs[0].entries;
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2].size, 22500);
    EXPECT_EQ(entries[2].record.kind, record_kind::parallel_failure);
    EXPECT_EQ(entries[3].size, 33750);
    EXPECT_EQ(entries[3].record.line, 4);
}

TEST(PlaceInRuns, SetsAsideSizesOutsideTheSeriesWithoutBreakingTheRun) {
    const placed_log placed = place_in_runs(records_of("10000 12345 15000 -1"), series_sizes());
    ASSERT_EQ(placed.runs.size(), 1u);
    EXPECT_EQ(placed.runs[0].entries.size(), 2u);
    ASSERT_EQ(placed.unplaced.size(), 2u);
    EXPECT_EQ(placed.unplaced[0].size, 12345);
    EXPECT_EQ(placed.unplaced[0].line, 2);
    EXPECT_EQ(placed.unplaced[1].size, -1);
}

}  // namespace
