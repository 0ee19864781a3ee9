#pragma once
// Shift+F10 opens the focused control's context menu, as the Menu key does:
// keyboards without a Menu key still reach every context menu.
class QApplication;

namespace zz::ui {

// Call once after the application object exists; a second call does nothing.
void installContextMenuKey(QApplication &app);

} // namespace zz::ui
