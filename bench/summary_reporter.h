// Google Benchmark's console table followed by the figures read from it: frame costs against
// the floor, start-up, allocations, the trail-drawing comparison and the peak memory.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    SummaryReporter();
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;
    // True once a benchmark reported an error (a failed check or start-up).
    bool failed() const { return failed_; }

private:
    void printFrameTable();
    void printStartup();
    void printAllocations();
    void printDrawComparison();
    // The run reported as "family", "family/args" or "family_aggregate"; null when missing.
    const Run* find(const std::string& key) const;

    std::map<std::string, Run> runs_;
    bool failed_ = false;
};
