#include "console_report.h"

#include <iostream>

void echo_result(int n, double sequential_seconds, double parallel_seconds, double speedup) {
    std::cout << std::endl
              << "Size = " << n << std::endl
              << "Sequential time = " << sequential_seconds << std::endl
              << "Parallel time = " << parallel_seconds << std::endl
              << "Speedup of parallelism is " << speedup << std::endl;
}

void echo_serial_failure(int location) {
    std::cout << std::endl
              << "Error: Serial sort is not correct starting at location "
              << static_cast<unsigned>(location);
}

void echo_parallel_failure(int location) {
    std::cout << std::endl
              << "Error: Parallel sort is not correct starting at location "
              << static_cast<unsigned>(location);
}
