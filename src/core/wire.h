#pragma once
// The wire format shared by host and client: framing at byte 255, the inbound
// queue, field cutting and the integer rule. Every message's builder and
// parser come with it (core/messages.h).
// Messages are bytes (std::string) from the socket to the handler.
#include "core/messages.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace zz::wire {

inline constexpr char Terminator = '\xff';
inline constexpr char Separator = '+';
inline constexpr char ColourBar = '|';

// An entry is read back with at most this many characters.
inline constexpr std::size_t MaxEntryLength = 4096;
// A peer that sends this much without a terminator is dropped.
inline constexpr std::size_t MaxPendingBytes = 64 * 1024;
// A peer with this many unhandled messages is dropped.
inline constexpr std::size_t MaxQueuedEntries = 1000;

// Cuts a byte stream into messages at each terminator. The unfinished tail
// lives on between reads, so a message split by TCP is rebuilt.
class FrameSplitter
{
public:
    // Appends bytes and moves every complete message to the ready list.
    // Returns false once more than MaxPendingBytes stand without a terminator;
    // the caller should then drop the peer (the splitter keeps nothing more).
    bool feed(std::string_view bytes);
    // The next complete message, terminator removed; "" is a real (empty) one.
    std::optional<std::string> next();
    std::size_t pendingBytes() const { return m_pending.size(); }

private:
    std::string m_pending;
    std::deque<std::string> m_ready;
};

// The ordered list of received messages, oldest first.
class InboundQueue
{
public:
    // Returns false when the queue already holds MaxQueuedEntries entries;
    // the entry is then not added.
    bool push(std::string entry);
    // The oldest entry cut to MaxEntryLength, or "" when the queue is empty.
    std::string pop();
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    void clear() { m_entries.clear(); }

private:
    std::deque<std::string> m_entries;
};

struct Command
{
    std::string_view word;   // "" when the entry holds no '+'
    std::string_view args;   // everything after the first '+'
};
Command splitCommand(std::string_view entry);

// Cuts the field before the next '+' and removes it and the '+' from rest.
// Returns "" and leaves rest unchanged when no '+' is left.
std::string_view takeField(std::string_view &rest);

// takeField read by toInteger; the field is cut from rest either way.
std::optional<int> takeInteger(std::string_view &rest);

// The platform's integer rule: optional sign, then decimal digits or '$' and
// hexadecimal digits, within 32 bits. nullopt for anything else.
std::optional<int> toInteger(std::string_view text);

// Decimal text of an integer, without leading zeros.
std::string number(int value);

} // namespace zz::wire
