#include "contextmenukey.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

namespace zz::ui {

namespace {

class ContextMenuKey : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier)
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        // Where the Menu key would open it: at the caret or current item, else the middle.
        const QRect place = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QPoint at = place.isValid() ? place.center() : widget->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, at, widget->mapToGlobal(at), key->modifiers());
        QApplication::sendEvent(widget, &request);
        return true;
    }
};

} // namespace

void installContextMenuKey(QApplication &app)
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    app.installEventFilter(new ContextMenuKey(&app));
}

} // namespace zz::ui
