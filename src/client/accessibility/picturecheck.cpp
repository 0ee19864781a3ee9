#include "picturecheck.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace zz {

void pictureCheckChanged(QWidget *picture)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(picture, changed);
    QAccessible::updateAccessibility(&event);
}

PictureCheckAccessible::PictureCheckAccessible(QWidget *picture) : QAccessibleWidget(picture, QAccessible::CheckBox)
{
}

QAccessible::State PictureCheckAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = widget()->property("state").toInt() == 1;
    return state;
}

QStringList PictureCheckAccessible::actionNames() const
{
    return QAccessibleWidget::actionNames() << toggleAction();
}

void PictureCheckAccessible::doAction(const QString &actionName)
{
    if (actionName != toggleAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(widget(), &press);
}

} // namespace zz
