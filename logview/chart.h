#pragma once

#include <iosfwd>
#include <vector>

#include "runs.h"

// An SVG chart of speedup against size on a logarithmic size axis: one faint
// line per run (a failure or a missing entry leaves a gap in it), the median
// of all runs bold, and a dashed line at ideal_threads, the speedup that many
// hardware threads would give at best (left out when 0, i.e. unknown).
void write_chart(std::ostream& out, const std::vector<log_run>& runs, const std::vector<int>& sizes,
                 unsigned ideal_threads);
