#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace benchreport {

// Prints the console report, then the ratio of the real times (the median when
// repeated) of each pair of benchmarks. Without pairs: every "X/engine" over its
// twin "X/sqlite".
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    using Pair = std::pair<std::string, std::string>;
    explicit RatioReporter(std::vector<Pair> pairs = {});

    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    std::vector<Pair> m_pairs;
    std::map<std::string, double> m_times;
};

} // namespace benchreport
