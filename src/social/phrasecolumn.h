#pragma once
// The column of phrase buttons beside the chat: nine buttons that each send a
// stock phrase, at most one every two seconds, and a tenth that opens the menu
// of chatter sounds. It only asks; the window sends.
#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QMenu;
class QToolButton;

namespace zz {

class PhraseColumn : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PhraseCount = 9;
    static constexpr int CoolDownMs = 2000;
    static constexpr int ButtonWidth = 25;
    static constexpr int ButtonHeight = 19;
    // Milliseconds from any fixed start; tests put in their own.
    using Clock = std::function<qint64()>;

    explicit PhraseColumn(QWidget *parent = nullptr);

    void setClock(Clock clock) { m_clock = std::move(clock); }

    // number 1..9; an empty text or another number for anything else.
    QString phrase(int number) const;
    void setPhrase(int number, const QString &phrase);
    QStringList phrases() const;

    // Button 1..9 clicked: asks for the phrase's action unless one was asked
    // for within the cool-down.
    void phraseClicked(int number);
    // Opens the chatter sound menu at button 10's bottom-right corner.
    void openSoundMenu();
    QMenu *soundMenu() const { return m_soundMenu; }

    // "/me dances" -> "dances", anything else -> "says: " + phrase.
    static QString actionText(const QString &phrase);
    // 1..20 for "wave1".."wave20" in any letter case; 0 for anything else.
    static int chatterNumber(const QString &soundName);
    // The menu caption of sound 1..20; empty for any other number.
    static QString chatterCaption(int number);

Q_SIGNALS:
    // The text of the action to send, colour not yet added.
    void actionRequested(const QString &text);
    // A chatter sound 1..20 was chosen ("<Cancel>" asks for nothing).
    void chatterRequested(int sound);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildSoundMenu();
    QToolButton *button(int number) const;

    QToolButton *m_soundButton = nullptr;
    QMenu *m_soundMenu = nullptr;
    QElapsedTimer m_elapsed;
    Clock m_clock;
    std::optional<qint64> m_lastSent;
};

} // namespace zz
