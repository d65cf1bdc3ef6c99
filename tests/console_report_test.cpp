#include "console_report.h"

#include <gtest/gtest.h>

#include "report_capture.h"

namespace {

TEST(console_report, result_block_uses_the_default_number_format) {
    report_capture capture;
    echo_result(10000, 0.0021, 0.0009, 0.0021 / 0.0009);
    EXPECT_EQ(capture.text(),
              "\nSize = 10000\nSequential time = 0.0021\nParallel time = 0.0009"
              "\nSpeedup of parallelism is 2.33333\n");
}

TEST(console_report, small_and_large_times_switch_to_scientific_notation) {
    report_capture capture;
    echo_result(9852435, 1.25e-05, 123456789.0, 1.0125e-13);
    EXPECT_EQ(capture.text(),
              "\nSize = 9852435\nSequential time = 1.25e-05\nParallel time = 1.23457e+08"
              "\nSpeedup of parallelism is 1.0125e-13\n");
}

TEST(console_report, failure_lines_stay_open) {
    report_capture capture;
    echo_serial_failure(1);
    echo_parallel_failure(2147483647);
    EXPECT_EQ(capture.text(),
              "\nError: Serial sort is not correct starting at location 1"
              "\nError: Parallel sort is not correct starting at location 2147483647");
}

}  // namespace
