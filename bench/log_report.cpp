#include "log_report.h"

#include <cerrno>
#include <cstring>

std::FILE* log_file = nullptr;

namespace {

// fprintf and fflush both set errno; whichever failed first names the reason.
bool finish_record(program p, int printed) {
    const bool written = printed >= 0 && std::fflush(log_file) == 0;
    if (!written) {
        std::fprintf(stderr, "%s: cannot write to '%s': %s\n", program_name(p), log_file_name,
                     std::strerror(errno));
    }
    return written;
}

}  // namespace

bool log_result(program p, int n, double sequential_seconds, double parallel_seconds,
                double speedup) {
    return finish_record(p, std::fprintf(log_file, result_form, n, sequential_seconds,
                                         parallel_seconds, speedup));
}

bool log_serial_failure(program p, int location) {
    return finish_record(p, std::fprintf(log_file, serial_failure_form(p), location));
}

bool log_parallel_failure(program p, int location) {
    return finish_record(p, std::fprintf(log_file, parallel_failure_form(p), location));
}
