#pragma once

// The two benchmark programs share every step of the run; this is all that
// tells them apart. Each entry point passes its own constant, so the choice is
// fixed when the program is built.
enum class program { velmora, tessik };

const char* program_name(program p);

// Written after the series, with no newline: the cursor waits at its end.
const char* closing_line(program p);

// fprintf forms of the log records for an out-of-order result; %d is the
// location of the first misplaced element.
const char* serial_failure_form(program p);
const char* parallel_failure_form(program p);

// Whether every trial is also shown on the console.
bool echoes_to_console(program p);
