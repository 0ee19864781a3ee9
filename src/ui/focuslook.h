#pragma once
// A focus mark for controls whose look draws none or one too faint to see on
// the game's tiled background: picture buttons, the seats, the chat view.
class QWidget;

namespace zz::ui {

// Draws a blue frame round widget while it has the focus; the rest of its look stays.
void showFocus(QWidget &widget);

} // namespace zz::ui
