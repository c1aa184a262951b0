#include "ratioreporter.h"

#include <cstdio>

namespace benchreport {

RatioReporter::RatioReporter(std::vector<Pair> pairs)
    : m_pairs(std::move(pairs))
{}

void RatioReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs)
        if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
            m_times[run.run_name.str()] = run.GetAdjustedRealTime();
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::vector<Pair> pairs = m_pairs;
    if (pairs.empty()) {
        for (const auto &entry : m_times) {
            const auto at = entry.first.find("/engine");
            if (at == std::string::npos)
                continue;
            std::string twin = entry.first;
            twin.replace(at, 7, "/sqlite");
            pairs.emplace_back(entry.first, twin);
        }
    }
    std::printf("\nratios (real time):\n");
    for (const auto &[a, b] : pairs) {
        const auto ia = m_times.find(a), ib = m_times.find(b);
        if (ia != m_times.end() && ib != m_times.end() && ib->second > 0)
            std::printf("  %-32s / %-28s %8.3f\n", a.c_str(), b.c_str(), ia->second / ib->second);
    }
}

} // namespace benchreport
