#pragma once
// A named object that tells the system the game has started. Nothing waits on
// it; it lives as long as the process.
#include <QSharedMemory>

namespace zz {

class LaunchMarker
{
public:
    LaunchMarker();
    bool held() const { return m_memory.isAttached(); }

private:
    QSharedMemory m_memory;
};

} // namespace zz
