#pragma once

#include <iosfwd>
#include <vector>

#include "runs.h"

// One row per entry under a header:
//   run,position,size,status,sequential_s,parallel_s,speedup,location
// run and position count from 1; status is passed, serial_failure or
// parallel_failure. A failure leaves the times and the speedup empty, a pass
// leaves the location (the first misplaced element) empty.
void write_csv(std::ostream& out, const std::vector<log_run>& runs);
