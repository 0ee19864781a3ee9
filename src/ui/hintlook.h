#pragma once
// The program's tool tips: bold Arial, five points above the usual size,
// shown quickly and kept up for ten seconds. Its style also draws the menu
// bar's overflow arrows instead of reading them from files at start.
class QApplication;

namespace zz {

// Call once after the application object exists; the application owns the
// style it installs.
void installHintLook(QApplication &app);

} // namespace zz
