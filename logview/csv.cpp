#include "csv.h"

#include <ostream>

#include "fixed_text.h"

namespace {

const char* status_name(record_kind kind) {
    switch (kind) {
        case record_kind::passed:
            return "passed";
        case record_kind::serial_failure:
            return "serial_failure";
        case record_kind::parallel_failure:
            return "parallel_failure";
    }
    return "";
}

}  // namespace

void write_csv(std::ostream& out, const std::vector<log_run>& runs) {
    out << "run,position,size,status,sequential_s,parallel_s,speedup,location\n";
    std::size_t run_number = 0;
    for (const log_run& run : runs) {
        ++run_number;
        for (const run_entry& entry : run.entries) {
            const log_record& r = entry.record;
            out << run_number << ',' << entry.position + 1 << ',' << entry.size << ','
                << status_name(r.kind) << ',';
            if (r.kind == record_kind::passed) {
                // The log's own precision: the values come back as they were written.
                out << fixed_text(r.sequential_seconds, 6) << ','
                    << fixed_text(r.parallel_seconds, 6) << ',' << fixed_text(r.speedup, 6)
                    << ",\n";
            } else {
                out << ",,," << r.location << '\n';
            }
        }
    }
}
