#include "matchmaker/matchmakermetrics.h"

#include <cstdio>

namespace zz {

namespace {

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

} // namespace

void MatchmakerMetrics::countRequest(const std::string &route, int status)
{
    ++m_requests[{route, status}];
}

void MatchmakerMetrics::countAllocatorAnswer(int status, double seconds)
{
    ++m_answers[status];
    ++m_latencyCount;
    m_latencySum += seconds;
    for (std::size_t i = 0; i < Buckets.size(); ++i) {
        if (seconds <= Buckets[i]) {
            ++m_bucketCounts[i];
            break;
        }
    }
}

void MatchmakerMetrics::countCut(const std::string &reason)
{
    ++m_cuts[reason];
}

std::string MatchmakerMetrics::text() const
{
    std::string out;
    out += "# HELP zigzop_matchmaker_requests_total Requests answered, by route and HTTP status.\n"
           "# TYPE zigzop_matchmaker_requests_total counter\n";
    for (const auto &[key, count] : m_requests) {
        out += "zigzop_matchmaker_requests_total{route=\"" + key.first + "\",status=\"" + std::to_string(key.second)
               + "\"} " + std::to_string(count) + "\n";
    }
    out += "# HELP zigzop_matchmaker_allocator_answers_total Allocator answers by HTTP status (0: none came).\n"
           "# TYPE zigzop_matchmaker_allocator_answers_total counter\n";
    for (const auto &[status, count] : m_answers)
        out += "zigzop_matchmaker_allocator_answers_total{status=\"" + std::to_string(status) + "\"} "
               + std::to_string(count) + "\n";
    out += "# HELP zigzop_matchmaker_connections_cut_total Connections cut by the listener's bounds, by reason.\n"
           "# TYPE zigzop_matchmaker_connections_cut_total counter\n";
    for (const auto &[reason, count] : m_cuts)
        out += "zigzop_matchmaker_connections_cut_total{reason=\"" + reason + "\"} " + std::to_string(count) + "\n";
    out += "# HELP zigzop_matchmaker_allocator_seconds Time the allocator took to answer.\n"
           "# TYPE zigzop_matchmaker_allocator_seconds histogram\n";
    std::uint64_t cumulative = 0;
    for (std::size_t i = 0; i < Buckets.size(); ++i) {
        cumulative += m_bucketCounts[i];
        out += "zigzop_matchmaker_allocator_seconds_bucket{le=\"" + number(Buckets[i]) + "\"} "
               + std::to_string(cumulative) + "\n";
    }
    out += "zigzop_matchmaker_allocator_seconds_bucket{le=\"+Inf\"} " + std::to_string(m_latencyCount) + "\n";
    out += "zigzop_matchmaker_allocator_seconds_sum " + number(m_latencySum) + "\n";
    out += "zigzop_matchmaker_allocator_seconds_count " + std::to_string(m_latencyCount) + "\n";
    return out;
}

} // namespace zz
