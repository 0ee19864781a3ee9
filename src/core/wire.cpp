#include "wire.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace zz::wire {

bool FrameSplitter::feed(std::string_view bytes)
{
    m_pending.append(bytes);
    std::size_t from = 0;
    for (std::size_t at = m_pending.find(Terminator); at != std::string::npos;
         at = m_pending.find(Terminator, from)) {
        m_ready.emplace_back(m_pending, from, at - from);
        from = at + 1;
    }
    m_pending.erase(0, from);
    if (m_pending.size() > MaxPendingBytes) {
        m_pending.clear();
        m_pending.shrink_to_fit();
        return false;
    }
    return true;
}

std::optional<std::string> FrameSplitter::next()
{
    if (m_ready.empty())
        return std::nullopt;
    std::string entry = std::move(m_ready.front());
    m_ready.pop_front();
    return entry;
}

bool InboundQueue::push(std::string entry)
{
    if (m_entries.size() >= MaxQueuedEntries)
        return false;
    m_entries.push_back(std::move(entry));
    return true;
}

std::string InboundQueue::pop()
{
    if (m_entries.empty())
        return {};
    std::string entry = std::move(m_entries.front());
    m_entries.pop_front();
    if (entry.size() > MaxEntryLength)
        entry.resize(MaxEntryLength);
    return entry;
}

Command splitCommand(std::string_view entry)
{
    const auto plus = entry.find(Separator);
    if (plus == std::string_view::npos)
        return {};
    return {entry.substr(0, plus), entry.substr(plus + 1)};
}

std::string_view takeField(std::string_view &rest)
{
    const auto plus = rest.find(Separator);
    if (plus == std::string_view::npos)
        return {};
    const std::string_view field = rest.substr(0, plus);
    rest.remove_prefix(plus + 1);
    return field;
}

std::optional<int> takeInteger(std::string_view &rest)
{
    return toInteger(takeField(rest));
}

std::optional<int> toInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (base == 16) {
        // Hexadecimal text names a 32-bit pattern: "$FFFFFFFF" is -1.
        if (magnitude > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
        return negative ? static_cast<int>(0u - static_cast<std::uint32_t>(value)) : value;
    }
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (magnitude > limit)
        return std::nullopt;
    return negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
}

std::string number(int value)
{
    return std::to_string(value);
}

} // namespace zz::wire
