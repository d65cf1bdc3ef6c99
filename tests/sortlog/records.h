#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "log_records.h"

// Records written compactly: a number is a passing trial of that size with
// speedup 2, "s" a serial and "p" a parallel sort failure. Each record's line
// is its place in the list, from 1.
inline std::vector<log_record> records_of(const std::string& compact) {
    std::vector<log_record> records;
    std::istringstream words(compact);
    for (std::string word; words >> word;) {
        log_record r;
        if (word == "s") {
            r.kind = record_kind::serial_failure;
        } else if (word == "p") {
            r.kind = record_kind::parallel_failure;
        } else {
            r.size = std::stoi(word);
            r.sequential_seconds = 0.5;
            r.parallel_seconds = 0.25;
            r.speedup = 2.0;
        }
        r.line = static_cast<long long>(records.size()) + 1;
        records.push_back(r);
    }
    return records;
}

// A passing record with the given times.
inline log_record passed_record(int size, double sequential, double parallel) {
    log_record r;
    r.size = size;
    r.sequential_seconds = sequential;
    r.parallel_seconds = parallel;
    r.speedup = sequential / parallel;
    return r;
}
