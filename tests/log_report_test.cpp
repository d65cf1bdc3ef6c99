#include "log_report.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "report_capture.h"

namespace {

TEST(log_report, passing_record_is_the_same_in_both_programs) {
    for (const program p : {program::velmora, program::tessik}) {
        report_capture capture;
        ASSERT_TRUE(log_result(p, 10000, 0.0021, 0.0009, 0.0021 / 0.0009));
        EXPECT_EQ(capture.text(),
                  "\nSize = 10000 \nSequential time = 0.002100 \nParallel time = 0.000900 "
                  "\nSpeedup of parallelism is 2.333333");
    }
}

struct failure_case {
    program which;
    bool (*log_failure)(program, int);
    const char* expected;
};

TEST(log_report, failure_records_take_each_programs_form) {
    const failure_case cases[] = {
        {program::velmora, log_serial_failure,
         "\n \n \n \n Error: Serial sort is not correct starting at location 17 \n \n \n \n"},
        {program::velmora, log_parallel_failure,
         "\n \n \n \n Error: Parallel sort is not correct starting at location 17 \n \n \n \n"},
        {program::tessik, log_serial_failure,
         "\n\nError: Serial sort is not correct starting at location 17 \n"},
        {program::tessik, log_parallel_failure,
         "\n\nError: Parallel sort is not correct starting at location 17 \n"},
    };
    for (const failure_case& c : cases) {
        report_capture capture;
        ASSERT_TRUE(c.log_failure(c.which, 17));
        EXPECT_EQ(capture.text(), c.expected);
    }
}

TEST(log_report, each_record_reaches_the_file_when_written) {
    // Read through a second, independent stream: only what was flushed shows.
    char name[] = "/tmp/log_report_test_XXXXXX";
    const int descriptor = mkstemp(name);
    ASSERT_NE(descriptor, -1);
    log_file = fdopen(descriptor, "a");
    ASSERT_NE(log_file, nullptr);
    ASSERT_TRUE(log_result(program::velmora, 15000, 0.5, 0.25, 2.0));

    std::FILE* reader = std::fopen(name, "r");
    ASSERT_NE(reader, nullptr);
    std::string seen;
    for (int c = std::fgetc(reader); c != EOF; c = std::fgetc(reader)) {
        seen.push_back(static_cast<char>(c));
    }
    std::fclose(reader);
    std::fclose(log_file);
    log_file = nullptr;
    std::remove(name);
    EXPECT_EQ(seen,
              "\nSize = 15000 \nSequential time = 0.500000 \nParallel time = 0.250000 "
              "\nSpeedup of parallelism is 2.000000");
}

TEST(log_report, a_failed_write_is_reported_and_returned) {
    log_file = std::fopen("/dev/full", "w");
    ASSERT_NE(log_file, nullptr);
    testing::internal::CaptureStderr();
    const bool written = log_serial_failure(program::tessik, 3);
    const std::string message = testing::internal::GetCapturedStderr();
    std::fclose(log_file);
    log_file = nullptr;

    EXPECT_FALSE(written);
    EXPECT_EQ(message, "tessik: cannot write to 'test log.txt': No space left on device\n");
}

}  // namespace
