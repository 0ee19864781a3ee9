#pragma once
// Enter in a list that acts on its entries: the current entry is activated and
// the key goes no further, so a dialog's default button does not act as well.
class QAbstractItemView;

namespace zz::ui {

// From now on Enter or Return on the view's current entry emits its activated(),
// and only that; without a current entry the key passes on as before.
void enterActivates(QAbstractItemView &view);

} // namespace zz::ui
