// quorl-config: shows, edits, checks, exports and imports the Quorl settings file.
#include <iostream>

#include "tools/quorl_config/cli.h"

int main(int argc, char** argv) {
    return runCommandLine(argc, argv, std::cout, std::cerr);
}
