#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of sortlog.
constexpr int sortlog_done = 0;         // the log was read; skipped text does not change this
constexpr int sortlog_file_error = 1;   // the log cannot be read or the chart cannot be written
constexpr int sortlog_usage_error = 2;  // the command line is wrong

struct sortlog_options {
    std::string log_path = "test log.txt";
    bool csv = false;
    std::string chart_path;  // empty: no chart
    bool help = false;
};

// Fills options from the arguments (without the program name); returns an
// error message, empty when the arguments are good.
std::string parse_sortlog_options(const std::vector<std::string>& arguments,
                                  sortlog_options& options);

std::string sortlog_help();

// The whole program: the table or CSV on out, problems on err. Returns the
// exit status.
int run_sortlog(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
