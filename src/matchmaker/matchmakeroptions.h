#pragma once
// The matchmaker's command line:
//   --matchmaker --listen [ADDRESS:]PORT --allocator https://HOST[:PORT]
//   --client-cert FILE --client-key FILE --ca FILE [--namespace NAME]
//   [--fleet NAME] [--tls-cert FILE --tls-key FILE]
#include "matchmaker/matchmakerserver.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zz {

struct MatchmakerOptions
{
    QString listenAddress;   // empty: every address
    quint16 listenPort = 0;
    AllocatorSettings allocator;
    QString tlsCertFile, tlsKeyFile;   // both or neither
};

// nullopt with the reason in error for a missing or malformed option.
std::optional<MatchmakerOptions> readMatchmakerOptions(const QStringList &arguments, QString *error);

} // namespace zz
