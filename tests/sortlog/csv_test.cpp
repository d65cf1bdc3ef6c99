#include "csv.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "benchmark.h"
#include "records.h"

namespace {

TEST(WriteCsv, WritesOneRowPerEntryUnderTheHeader) {
    std::vector<log_record> records = records_of("10000 s 10000");
    records[0] = passed_record(10000, 0.001234, 0.000617);
    records[1].location = 42;
    std::ostringstream out;
    write_csv(out, place_in_runs(records, series_sizes()).runs);
    EXPECT_EQ(out.str(),
              "run,position,size,status,sequential_s,parallel_s,speedup,location\n"
              "1,1,10000,passed,0.001234,0.000617,2.000000,\n"
              "1,2,15000,serial_failure,,,,42\n"
              "2,1,10000,passed,0.500000,0.250000,2.000000,\n");
}

TEST(WriteCsv, NamesParallelFailuresAndWritesOnlyTheHeaderForAnEmptyLog) {
    std::ostringstream out;
    write_csv(out, place_in_runs(records_of("p"), series_sizes()).runs);
    EXPECT_EQ(out.str(),
              "run,position,size,status,sequential_s,parallel_s,speedup,location\n"
              "1,1,10000,parallel_failure,,,,0\n");
    std::ostringstream empty;
    write_csv(empty, {});
    EXPECT_EQ(empty.str(), "run,position,size,status,sequential_s,parallel_s,speedup,location\n");
}

}  // namespace
