#include "command.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <ostream>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "benchmark.h"
#include "chart.h"
#include "csv.h"
#include "log_records.h"
#include "runs.h"
#include "summary.h"

namespace {

// The whole file; false with errno set when it cannot be opened or read.
bool read_file(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    // Growing the string while reading would copy a large log many times.
    // (A directory opens too, and has no size; its read fails below.)
    std::error_code size_error;
    const std::uintmax_t size = std::filesystem::file_size(path, size_error);
    if (!size_error && size < text.max_size()) text.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
    const bool read = std::ferror(file) == 0;
    const int error = errno;
    std::fclose(file);
    errno = error;
    return read;
}

void report_lines(std::ostream& err, const std::string& path, long long first, long long last,
                  const std::string& what) {
    err << "sortlog: " << path << ':' << first;
    if (last != first) err << '-' << last;
    err << ": " << what << '\n';
}

}  // namespace

std::string parse_sortlog_options(const std::vector<std::string>& arguments,
                                  sortlog_options& options) {
    bool have_log = false;
    bool options_ended = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!options_ended && a.size() > 1 && a[0] == '-') {
            if (a == "--") {
                options_ended = true;
            } else if (a == "--help" || a == "-h") {
                options.help = true;
            } else if (a == "--csv") {
                options.csv = true;
            } else if (a == "--svg") {
                if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                    return "--svg needs the name of the chart file";
                }
                options.chart_path = arguments[++i];
            } else if (a.rfind("--svg=", 0) == 0) {
                options.chart_path = a.substr(6);
                if (options.chart_path.empty()) return "--svg needs the name of the chart file";
            } else {
                return "unknown option '" + a + "'";
            }
            continue;
        }
        if (have_log) return "more than one log named ('" + options.log_path + "', '" + a + "')";
        if (a.empty()) return "the log's name is empty";
        options.log_path = a;
        have_log = true;
    }
    return "";
}

std::string sortlog_help() {
    const std::vector<int> sizes = series_sizes();
    return "Usage: sortlog [--csv] [--svg CHART] [LOG]\n"
           "\n"
           "Summarises the log that velmora and tessik append to: LOG, by default\n"
           "'test log.txt' in the working directory. Both programs' records are read:\n"
           "passing trials and serial or parallel sort failures.\n"
           "\n"
           "The log holds runs of the size series " +
           std::to_string(sizes.front()) + ", " + std::to_string(sizes[1]) + ", ... " +
           std::to_string(sizes.back()) + " (" + std::to_string(sizes.size()) +
           " sizes),\n"
           "one entry per size; a run that was stopped has fewer. A passing record's\n"
           "size fixes its place in the series. A failure record carries no size: it\n"
           "takes the place after the entry before it. A new run starts where an\n"
           "entry's place is not after the previous one's, or where a failure would\n"
           "fall past the last size.\n"
           "\n"
           "Output, by default: a table with one row per size (runs, failures, median\n"
           "sequential and parallel seconds, min / median / max speedup), then one line\n"
           "per run (entries, failures, speedup at the largest size it passed).\n"
           "\n"
           "Options:\n"
           "  --csv         print one row per entry instead, after a header:\n"
           "                run,position,size,status,sequential_s,parallel_s,speedup,location\n"
           "                (status: passed, serial_failure or parallel_failure; location:\n"
           "                the first misplaced element of a failure)\n"
           "  --svg CHART   also write an SVG chart to CHART: speedup against size on a\n"
           "                logarithmic axis, one faint line per run, the median bold, and\n"
           "                a dashed line at this machine's hardware threads (the ideal)\n"
           "  -h, --help    show this text\n"
           "  --            take what follows as the log's name, even if it starts with '-'\n"
           "\n"
           "Text that is no record (a damaged line, another file) is named by its line\n"
           "numbers on standard error and skipped; the rest is still summarised.\n"
           "\n"
           "Exit status: 0 when the log was read, 1 when the log cannot be read or the\n"
           "chart cannot be written, 2 for a wrong command line.\n";
}

int run_sortlog(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    sortlog_options options;
    if (const std::string problem = parse_sortlog_options(arguments, options); !problem.empty()) {
        err << "sortlog: " << problem << "\nTry 'sortlog --help'.\n";
        return sortlog_usage_error;
    }
    if (options.help) {
        out << sortlog_help();
        return sortlog_done;
    }

    std::string text;
    bool read = false;
    try {
        read = read_file(options.log_path, text);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
    } catch (const std::length_error&) {
        errno = ENOMEM;
    }
    if (!read) {
        err << "sortlog: cannot read '" << options.log_path << "': " << std::strerror(errno)
            << '\n';
        return sortlog_file_error;
    }

    const std::vector<int> sizes = series_sizes();
    const log_contents contents = read_log_records(text);
    const placed_log placed = place_in_runs(contents.records, sizes);

    // Problems in file order, like a compiler's.
    auto unreadable = contents.unreadable.begin();
    auto unplaced = placed.unplaced.begin();
    while (unreadable != contents.unreadable.end() || unplaced != placed.unplaced.end()) {
        if (unplaced == placed.unplaced.end() ||
            (unreadable != contents.unreadable.end() && unreadable->first_line < unplaced->line)) {
            report_lines(err, options.log_path, unreadable->first_line, unreadable->last_line,
                         "not a log record; skipped");
            ++unreadable;
        } else {
            report_lines(
                err, options.log_path, unplaced->line, unplaced->line,
                "size " + std::to_string(unplaced->size) + " is not one of the series; skipped");
            ++unplaced;
        }
    }

    if (options.csv) {
        write_csv(out, placed.runs);
    } else {
        write_summary(out, summarise(placed.runs, sizes));
    }

    if (!options.chart_path.empty()) {
        std::ofstream chart(options.chart_path);
        if (chart) write_chart(chart, placed.runs, sizes, std::thread::hardware_concurrency());
        chart.close();
        if (!chart) {
            err << "sortlog: cannot write the chart '" << options.chart_path
                << "': " << std::strerror(errno) << '\n';
            return sortlog_file_error;
        }
    }
    return sortlog_done;
}
