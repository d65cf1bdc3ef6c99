#include "program.h"

const char* program_name(program p) {
    return p == program::velmora ? "velmora" : "tessik";
}

const char* closing_line(program p) {
    return p == program::velmora
               ? "Tests finished, see 'test log.txt' for details "
               : "Tests finished, you can also see information above in 'test log.txt'";
}

const char* serial_failure_form(program p) {
    return p == program::velmora
               ? "\n \n \n \n Error: Serial sort is not correct starting at location %d \n \n \n \n"
               : "\n\nError: Serial sort is not correct starting at location %d \n";
}

const char* parallel_failure_form(program p) {
    return p == program::velmora
               ? "\n \n \n \n Error: Parallel sort is not correct starting at location %d \n \n \n \n"
               : "\n\nError: Parallel sort is not correct starting at location %d \n";
}

bool echoes_to_console(program p) { return p == program::tessik; }
