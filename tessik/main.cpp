#include "benchmark.h"

int main() { return run_benchmark(program::tessik); }
