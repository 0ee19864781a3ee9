#include "escapekey.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>

namespace zz::ui {

namespace {

// Watches the window itself: a key reaches it only when no control inside
// took it, and never from another window, as with a dialog's Escape.
class EscapeClicks : public QObject
{
public:
    explicit EscapeClicks(QAbstractButton &button) : QObject(button.window()), m_button(&button) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !m_button
            || !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel))
            return QObject::eventFilter(watched, event);
        m_button->click();
        return true;
    }

private:
    QPointer<QAbstractButton> m_button;
};

} // namespace

void escapeClicks(QAbstractButton &button)
{
    QWidget *window = button.window();
    window->installEventFilter(new EscapeClicks(button));
}

} // namespace zz::ui
