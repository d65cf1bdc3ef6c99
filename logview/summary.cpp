#include "summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>
#include <string>

#include "fixed_text.h"

namespace {

constexpr double none = std::numeric_limits<double>::quiet_NaN();

bool passed(const run_entry& entry) { return entry.record.kind == record_kind::passed; }

// Fixed-point in a column, or "-" where there is no value.
void put_number(std::ostream& out, int width, int precision, double value) {
    const std::string text = std::isnan(value) ? "-" : fixed_text(value, precision);
    out << std::string(text.size() < static_cast<std::size_t>(width)
                           ? static_cast<std::size_t>(width) - text.size()
                           : 1,
                       ' ')
        << text;
}

}  // namespace

double median(std::vector<double> values) {
    values.erase(
        std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }),
        values.end());
    if (values.empty()) return none;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) return *middle;
    // The lower middle value is the largest of the lower half.
    const double lower = *std::max_element(values.begin(), middle);
    return lower / 2 + *middle / 2;
}

log_summary summarise(const std::vector<log_run>& runs, const std::vector<int>& sizes) {
    log_summary summary;
    std::vector<std::vector<double>> sequential(sizes.size());
    std::vector<std::vector<double>> parallel(sizes.size());
    std::vector<std::vector<double>> speedups(sizes.size());
    summary.sizes.resize(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) summary.sizes[i].size = sizes[i];

    for (const log_run& run : runs) {
        run_summary line;
        line.entries = run.entries.size();
        for (const run_entry& entry : run.entries) {
            if (entry.position >= sizes.size()) continue;
            size_summary& at_size = summary.sizes[entry.position];
            ++at_size.runs;
            if (!passed(entry)) {
                ++at_size.failures;
                ++line.failures;
                continue;
            }
            sequential[entry.position].push_back(entry.record.sequential_seconds);
            parallel[entry.position].push_back(entry.record.parallel_seconds);
            speedups[entry.position].push_back(entry.record.speedup);
            // Entries come in increasing size, so the last passing one wins.
            line.largest_size = entry.size;
            line.speedup_at_largest = entry.record.speedup;
        }
        summary.runs.push_back(line);
    }

    for (std::size_t i = 0; i < sizes.size(); ++i) {
        size_summary& at_size = summary.sizes[i];
        at_size.median_sequential_seconds = median(sequential[i]);
        at_size.median_parallel_seconds = median(parallel[i]);
        at_size.median_speedup = median(speedups[i]);
        at_size.min_speedup = none;
        at_size.max_speedup = none;
        for (const double s : speedups[i]) {
            if (std::isnan(s)) continue;
            if (std::isnan(at_size.min_speedup) || s < at_size.min_speedup) at_size.min_speedup = s;
            if (std::isnan(at_size.max_speedup) || s > at_size.max_speedup) at_size.max_speedup = s;
        }
    }
    return summary;
}

void write_summary(std::ostream& out, const log_summary& summary) {
    out << "                           median seconds           speedup\n"
           "    size  runs  failures  sequential    parallel      min  median     max\n";
    for (const size_summary& s : summary.sizes) {
        char counts[64];
        std::snprintf(counts, sizeof counts, "%8d %5d %9d", s.size, s.runs, s.failures);
        out << counts;
        put_number(out, 12, 6, s.median_sequential_seconds);
        put_number(out, 12, 6, s.median_parallel_seconds);
        put_number(out, 9, 2, s.min_speedup);
        put_number(out, 8, 2, s.median_speedup);
        put_number(out, 8, 2, s.max_speedup);
        out << '\n';
    }

    out << '\n' << summary.runs.size() << (summary.runs.size() == 1 ? " run\n" : " runs\n");
    std::size_t index = 0;
    for (const run_summary& r : summary.runs) {
        out << "run " << ++index << ": " << r.entries
            << (r.entries == 1 ? " entry, " : " entries, ") << r.failures
            << (r.failures == 1 ? " failure, " : " failures, ");
        if (r.largest_size == 0) {
            out << "no passing trial\n";
        } else {
            out << "speedup " << fixed_text(r.speedup_at_largest, 2) << " at size "
                << r.largest_size << '\n';
        }
    }
}
