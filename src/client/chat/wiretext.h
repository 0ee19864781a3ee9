#pragma once
// The client's one crossing between wire bytes (Windows-1252) and text.
#include <QString>

#include <string>
#include <string_view>

namespace zz {

QString fromWireText(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string toWireText(const QString &text);

} // namespace zz
