// libFuzzer harness: any bytes as a log, through reading, placing in runs and
// every output. Beyond the sanitizers it checks what the outputs rely on:
// records and skipped text come in file order within the file's lines, and
// the runs' positions rise within the series.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "benchmark.h"
#include "chart.h"
#include "csv.h"
#include "log_records.h"
#include "runs.h"
#include "summary.h"

namespace {

void check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const long long lines = 1 + std::count(text.begin(), text.end(), '\n');

    const log_contents contents = read_log_records(text);
    long long previous_line = 0;
    for (const log_record& r : contents.records) {
        check(r.line >= previous_line && r.line <= lines);
        previous_line = r.line;
    }
    for (const unreadable_text& u : contents.unreadable) {
        check(u.first_line >= 1 && u.first_line <= u.last_line && u.last_line <= lines);
    }

    static const std::vector<int> sizes = series_sizes();
    const placed_log placed = place_in_runs(contents.records, sizes);
    std::size_t placed_count = placed.unplaced.size();
    for (const log_run& run : placed.runs) {
        check(!run.entries.empty());
        for (std::size_t i = 0; i < run.entries.size(); ++i) {
            check(run.entries[i].position < sizes.size());
            check(i == 0 || run.entries[i].position > run.entries[i - 1].position);
        }
        placed_count += run.entries.size();
    }
    check(placed_count == contents.records.size());

    std::ostringstream out;
    write_summary(out, summarise(placed.runs, sizes));
    write_csv(out, placed.runs);
    write_chart(out, placed.runs, sizes, 2);
    return 0;
}
