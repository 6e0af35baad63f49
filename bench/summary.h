// The lines printed after Google Benchmark's table: figures the benchmarks derive from their runs.
#pragma once

#include <string>

// Sets the summary line `key` (lines print in key order); a later run replaces an earlier one.
void setSummaryLine(int key, const std::string& line);

// Prints the lines, then the peak resident memory of this process.
void printSummary();
