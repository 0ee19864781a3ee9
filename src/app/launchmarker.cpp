#include "launchmarker.h"

#include "core/names.h"

namespace zz {

LaunchMarker::LaunchMarker()
    : m_memory(QString::fromUtf8(LaunchMarkerName.data(), static_cast<qsizetype>(LaunchMarkerName.size())))
{
    // Failure is harmless: no part of the game looks at the marker.
    if (!m_memory.attach())
        m_memory.create(1);
}

} // namespace zz
