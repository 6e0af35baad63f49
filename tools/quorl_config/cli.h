// The command line of quorl-config.
#pragma once

#include <ostream>

// Parses the arguments and runs the chosen command. Returns the exit status: 0 ok, 1 bad input,
// a problem or warning found by check, or a file error, 2 wrong usage.
int runCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
