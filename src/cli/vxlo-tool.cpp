// vxlo-tool: import game records, merge dictionaries and dump dictionary
// records from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli/VxloTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return vxlo::RunVxloTool(args, std::cout, std::cerr);
}
