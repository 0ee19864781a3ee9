#include "ui/caretrest.h"

#include <QApplication>
#include <QEvent>
#include <QStyleHints>

namespace zz {

CaretRest::CaretRest(std::chrono::milliseconds blinkFor, QApplication &app)
    : QObject(&app)
    , m_flashTime(QGuiApplication::styleHints()->cursorFlashTime())
{
    if (m_flashTime <= 0)
        return;
    m_timer.setSingleShot(true);
    m_timer.setInterval(blinkFor);
    connect(&m_timer, &QTimer::timeout, this, &CaretRest::rest);
    app.installEventFilter(this);
    m_timer.start();
}

bool CaretRest::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
    case QEvent::InputMethod:
        wake();
        m_timer.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CaretRest::rest()
{
    // Every caret picks the new rate up at once and stays drawn.
    m_resting = true;
    QApplication::setCursorFlashTime(0);
}

void CaretRest::wake()
{
    if (!m_resting)
        return;
    m_resting = false;
    QApplication::setCursorFlashTime(m_flashTime);
}

void installCaretRest(QApplication &app)
{
    new CaretRest(CaretBlinkTime, app);
}

} // namespace zz
