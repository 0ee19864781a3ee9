#pragma once
// Input and look-ups that widget tests share: keys and right-clicks as a
// player gives them, and message boxes found by their text.
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace zz::test {

inline void pressKey(QWidget *target, int key, const QString &text = {},
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

inline void pressEnter(QWidget *target)
{
    pressKey(target, Qt::Key_Return, QStringLiteral("\r"));
}

// A right-click at a point of target, which opens its context menu.
inline void rightClick(QWidget *target, const QPoint &at = QPoint(2, 2))
{
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &click);
}

// A message box open anywhere with exactly this text, or nullptr.
inline QMessageBox *openMessageBox(const QString &text)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box && box->isVisible() && box->text() == text)
            return box;
    }
    return nullptr;
}

} // namespace zz::test
