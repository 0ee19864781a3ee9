#pragma once
// What the matchmaker counts, in Prometheus' text format: requests by route
// and outcome, allocator answers by status, allocator time as a histogram.
// Plain C++.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace zz {

class MatchmakerMetrics
{
public:
    // route: "quick", "private", "healthz", "metrics", "other"; outcome: the HTTP status sent.
    void countRequest(const std::string &route, int status);
    // status 0: no answer (unreachable, TLS refused, timed out).
    void countAllocatorAnswer(int status, double seconds);

    // A connection the listener cut: "connection limit", "request too slow", ...
    void countCut(const std::string &reason);

    std::string text() const;

    static constexpr std::array<double, 9> Buckets = {0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5};

private:
    std::map<std::pair<std::string, int>, std::uint64_t> m_requests;
    std::map<int, std::uint64_t> m_answers;
    std::map<std::string, std::uint64_t> m_cuts;
    std::array<std::uint64_t, Buckets.size()> m_bucketCounts{};   // each bucket alone; summed when written
    std::uint64_t m_latencyCount = 0;
    double m_latencySum = 0;
};

} // namespace zz
