#pragma once
// The allocator's JSON: the allocation request the matchmaker sends for a
// public or a private table, and the answer naming the table it got.
#include <QByteArray>

#include <cstdint>
#include <optional>
#include <string>

namespace zz {

enum class TableKind { Public, Private };

struct AllocatorTarget
{
    std::string namespaceName = "default";
    std::string fleet = "zigzop";
};

// A public table: an allocated one with a free seat first, then a ready
// one, fullest first, labelled public. A private table: a ready one,
// labelled private so no public request ever picks it.
QByteArray allocationRequest(TableKind kind, const AllocatorTarget &target);

struct AllocatedTable
{
    std::string name;      // the game server's name
    std::string address;
    std::uint16_t port = 0;

    bool operator==(const AllocatedTable &) const = default;
};

// nullopt unless the body is a JSON object with a non-empty address and a
// port in 1..65535 (the one named "default" when there are several).
std::optional<AllocatedTable> readAllocation(const QByteArray &body);

// The allocator's message for a refusal ("there is no available
// GameServer to allocate"); "" when the body holds none.
std::string allocatorMessage(const QByteArray &body);

} // namespace zz
