#pragma once
// Escape in a window that is no dialog, doing what a dialog's Escape does:
// the same as the window's Done or Close button.
class QAbstractButton;

namespace zz::ui {

// From now on Escape anywhere in the button's window clicks the button, unless
// the control with the focus takes Escape itself. Windows of their own opened
// from it, such as message boxes, keep their own Escape.
void escapeClicks(QAbstractButton &button);

} // namespace zz::ui
