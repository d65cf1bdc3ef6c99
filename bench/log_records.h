#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

// Reads the log back. It matches the text against the very fprintf forms that
// log_report.cpp writes with (result_form and the programs' failure forms), so
// a change to a record's text changes the reader with it.

// The values read by one form, in the order they appear, %d and %f apart.
struct form_fields {
    std::array<int, 2> integers{};
    std::array<double, 4> reals{};
    std::size_t integer_count = 0;
    std::size_t real_count = 0;
};

// Matches the fprintf form at text[at...]: literal characters must be equal,
// %d reads what fprintf prints for an int and %f what it prints for a double
// (digits with a fraction, "inf" or "nan", each possibly signed), %% is a '%'.
// Returns the position just past the match, or std::string_view::npos when
// the text does not follow the form (or the form has a conversion it does not
// know, or more fields than form_fields holds).
std::size_t match_form(std::string_view form, std::string_view text, std::size_t at,
                       form_fields& fields);

enum class record_kind { passed, serial_failure, parallel_failure };

// One record of either program. Failure records carry no size: size is 0 and
// the times are 0; a passing record has location 0.
struct log_record {
    record_kind kind = record_kind::passed;
    long long line = 0;  // 1-based line of the record's "Size" or "Error" text
    int size = 0;
    double sequential_seconds = 0.0;
    double parallel_seconds = 0.0;
    double speedup = 0.0;
    int location = 0;
};

// A stretch of text, between records, that is no record; lines are 1-based
// and inclusive. Blank stretches (the newline an editor adds at the end) are
// not reported.
struct unreadable_text {
    long long first_line = 0;
    long long last_line = 0;
};

struct log_contents {
    std::vector<log_record> records;
    std::vector<unreadable_text> unreadable;
};

// Every record of the text in order. Text that matches no form is passed
// over up to the next point where a record starts, and noted.
log_contents read_log_records(std::string_view text);
