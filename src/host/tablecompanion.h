#pragma once
// Something that runs beside a table served with --serve and tells others
// about it (a fleet's agent). The host knows it only through this: it reads
// the table through the service's signals and getters.
#include <functional>
#include <memory>

namespace zz {

class HostService;

class TableCompanion
{
public:
    virtual ~TableCompanion() = default;
    // The table's port accepts connections from now on.
    virtual void tableListening() = 0;
    // A signal ends the table: stop talking to others before it closes.
    virtual void tableClosing() = 0;
};

struct ServedTable
{
    HostService &service;
    // --empty-shutdown: seconds a table that had somebody may stay empty
    // before it asks to be ended; 0 never.
    int emptyShutdownSeconds = 60;
    // Ends the table with this exit code, from the event loop.
    std::function<void(int exitCode)> exit;
};

// Makes the companion the environment asks for, or nullptr when it asks for
// none. Throws std::runtime_error, with words for the operator, when one is
// asked for but cannot run.
using CompanionFactory = std::function<std::unique_ptr<TableCompanion>(const ServedTable &table)>;

} // namespace zz
