#include "chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "benchmark.h"
#include "records.h"

namespace {

std::string chart_of(const std::vector<log_record>& records, unsigned ideal_threads) {
    std::ostringstream out;
    write_chart(out, place_in_runs(records, series_sizes()).runs, series_sizes(), ideal_threads);
    return out.str();
}

// The chart's elements of one kind ("<path", "<circle", "<line") and class.
std::vector<std::string> elements(const std::string& svg, const std::string& tag,
                                  const std::string& css_class) {
    std::vector<std::string> found;
    std::istringstream lines(svg);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(tag + ' ', 0) == 0 &&
            line.find("class=\"" + css_class + "\"") != std::string::npos) {
            found.push_back(line);
        }
    }
    return found;
}

std::string attribute(const std::string& element, const std::string& name) {
    std::smatch m;
    const std::regex pattern(' ' + name + "=\"([^\"]*)\"");
    return std::regex_search(element, m, pattern) ? m[1].str() : "";
}

// The pieces of a path: each "M" starts one; the points as x, y.
std::vector<std::vector<std::pair<double, double>>> pieces_of(const std::string& d) {
    std::vector<std::vector<std::pair<double, double>>> pieces;
    std::istringstream in(d);
    for (std::string step; in >> step;) {
        if (step[0] == 'M') pieces.emplace_back();
        const std::size_t comma = step.find(',');
        pieces.back().emplace_back(std::stod(step.substr(1, comma - 1)),
                                   std::stod(step.substr(comma + 1)));
    }
    return pieces;
}

TEST(WriteChart, DrawsEachRunWithGapsWhereItFailed) {
    // A clean run, a run broken by a failure, and a run of a single point.
    const std::string svg =
        chart_of(records_of("10000 15000 22500 33750  10000 15000 s 33750 50625  10000"), 4);
    ASSERT_EQ(svg.rfind("<svg", 0), 0u);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);

    const std::vector<std::string> run_paths = elements(svg, "<path", "run");
    ASSERT_EQ(run_paths.size(), 2u);
    EXPECT_EQ(pieces_of(attribute(run_paths[0], "d")).size(), 1u);
    const auto broken = pieces_of(attribute(run_paths[1], "d"));
    ASSERT_EQ(broken.size(), 2u);
    EXPECT_EQ(broken[0].size(), 2u);
    EXPECT_EQ(broken[1].size(), 2u);
    EXPECT_EQ(elements(svg, "<circle", "run").size(), 1u);
}

TEST(WriteChart, PutsSizesOnALogarithmicAxis) {
    std::string all_sizes;
    for (const int n : series_sizes()) all_sizes += std::to_string(n) + ' ';
    const std::vector<std::string> median =
        elements(chart_of(records_of(all_sizes), 2), "<path", "median");
    ASSERT_EQ(median.size(), 1u);
    const auto pieces = pieces_of(attribute(median[0], "d"));
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(pieces[0].size(), series_sizes().size());
    // Each size is half as large again as the one before: equal steps on a log axis.
    const double step = pieces[0][1].first - pieces[0][0].first;
    EXPECT_GT(step, 10);
    for (std::size_t i = 1; i < pieces[0].size(); ++i) {
        EXPECT_NEAR(pieces[0][i].first - pieces[0][i - 1].first, step, 0.2) << "at point " << i;
    }
}

TEST(WriteChart, MarksTheIdealAtTheHardwareThreadsWhenKnown) {
    const std::vector<log_record> records = records_of("10000 15000");
    const std::string svg = chart_of(records, 8);
    const std::vector<std::string> ideal = elements(svg, "<line", "ideal");
    ASSERT_EQ(ideal.size(), 1u);
    EXPECT_NE(attribute(ideal[0], "stroke-dasharray"), "");
    EXPECT_NE(svg.find("ideal: 8 hardware threads"), std::string::npos);

    // Speedup 2 sits a quarter of the way from 0 to 8: the ideal line is far higher.
    const double ideal_y = std::stod(attribute(ideal[0], "y1"));
    const double run_y = pieces_of(attribute(elements(svg, "<path", "run")[0], "d"))[0][0].second;
    EXPECT_LT(ideal_y, run_y - 100);

    EXPECT_TRUE(elements(chart_of(records, 0), "<line", "ideal").empty());
}

TEST(WriteChart, KeepsEveryPointInsideTheChart) {
    std::vector<log_record> records = records_of("10000 15000 22500 33750");
    records[1].speedup = 50;  // far above the ideal
    records[3].speedup = -1;
    const std::string svg = chart_of(records, 2);
    for (const auto& piece : pieces_of(attribute(elements(svg, "<path", "run")[0], "d"))) {
        for (const auto& [x, y] : piece) {
            EXPECT_GT(x, 0);
            EXPECT_LT(x, 900);
            EXPECT_GT(y, 0);
            EXPECT_LT(y, 600);
        }
    }
}

TEST(WriteChart, LeavesOutSpeedupsThatAreNoNumbers) {
    std::vector<log_record> records = records_of("10000 15000 22500 33750 50625");
    records[1].speedup = std::numeric_limits<double>::infinity();
    records[2].speedup = std::nan("");
    records[3].speedup = 1e300;
    const std::string svg = chart_of(records, 2);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    // What is left are two lone points, each a dot; the 1e300 did not flatten the axis.
    EXPECT_EQ(elements(svg, "<circle", "run").size(), 2u);
    EXPECT_NE(svg.find(">2.0<"), std::string::npos);
}

TEST(WriteChart, DrawsAxesAndTitleForAnEmptyLog) {
    const std::string svg = chart_of({}, 2);
    EXPECT_NE(svg.find("Speedup of tbb::parallel_sort over std::sort"), std::string::npos);
    EXPECT_NE(svg.find("elements sorted (logarithmic scale)"), std::string::npos);
    EXPECT_NE(svg.find("speedup (sequential time / parallel time)"), std::string::npos);
    EXPECT_NE(svg.find("0 runs"), std::string::npos);
    EXPECT_TRUE(elements(svg, "<path", "median").empty());
}

}  // namespace
