#include <iostream>
#include <string>
#include <vector>

#include "command.h"

int main(int argc, char* argv[]) {
    return run_sortlog(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
