#include "runs.h"

#include <algorithm>

placed_log place_in_runs(const std::vector<log_record>& records, const std::vector<int>& sizes) {
    placed_log placed;
    if (sizes.empty()) return placed;
    for (const log_record& record : records) {
        // Every run holds at least the entry that started it.
        const run_entry* previous =
            placed.runs.empty() ? nullptr : &placed.runs.back().entries.back();
        std::size_t position = 0;
        bool continues_run = false;
        if (record.kind == record_kind::passed) {
            const auto found = std::lower_bound(sizes.begin(), sizes.end(), record.size);
            if (found == sizes.end() || *found != record.size) {
                placed.unplaced.push_back(record);
                continue;
            }
            position = static_cast<std::size_t>(found - sizes.begin());
            continues_run = previous != nullptr && position > previous->position;
        } else if (previous != nullptr && previous->position + 1 < sizes.size()) {
            position = previous->position + 1;
            continues_run = true;
        }
        if (!continues_run) placed.runs.emplace_back();
        placed.runs.back().entries.push_back({position, sizes[position], record});
    }
    return placed;
}
