#pragma once
// Text carets blink for a while after the player last typed or clicked, then
// stay lit, as desktops do: a game left open with a caret in its name or chat
// field wakes the machine twice a second otherwise.
#include <QObject>
#include <QTimer>

#include <chrono>

class QApplication;

namespace zz {

class CaretRest : public QObject
{
public:
    // Reads the desktop's blink rate now; one that does not blink is left alone.
    CaretRest(std::chrono::milliseconds blinkFor, QApplication &app);

    bool resting() const { return m_resting; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rest();
    void wake();

    QTimer m_timer;
    int m_flashTime = 0;
    bool m_resting = false;
};

// How long carets blink after the last key or click.
inline constexpr std::chrono::seconds CaretBlinkTime{10};

// Call once after the application object exists; the application owns it.
void installCaretRest(QApplication &app);

} // namespace zz
