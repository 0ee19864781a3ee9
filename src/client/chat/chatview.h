#pragma once
// The chat part of the main window: the chat view (mainchat), the chat box
// (mychat) with its smiley button, their menus and the chat options.
#include "core/colourtext.h"

#include <QByteArray>
#include <QWidget>

#include <array>
#include <string_view>

class QAction;
class QMenu;
class QToolButton;

namespace zz {

class ChatBrowser;
class ChatInput;

class ChatView : public QWidget
{
    Q_OBJECT
public:
    explicit ChatView(QWidget *parent = nullptr);

    // Draws seat "+" text in colour; false (and a warning on standard error)
    // when the seat field is not a seat number, and nothing is drawn.
    bool addLine(std::string_view line, Colour colour);
    // A relayed chat or action text (after the command word): "line|colour".
    void chatReceived(std::string_view text);
    // The same for a line already cut from its colour text and decoded; an
    // empty or unreadable colour text gives red.
    void chatLineReceived(const QString &line, const QString &colourText);
    bool addDecodedLine(const QString &line, Colour colour);
    // A line of the program itself, drawn as given (no speaker cut at a colon).
    void addProgramLine(const QString &text, Colour colour);

    void setLoggedIn(bool loggedIn) { m_loggedIn = loggedIn; }
    bool isLoggedIn() const { return m_loggedIn; }

    // The player's colour: sent with every line and colouring the chat box.
    void setTextColour(Colour colour);
    Colour textColour() const { return m_textColour; }

    // Any positive size applies to all styles; 8, 10, 12 and 14 also check
    // their "Text Size" entry.
    void setTextSize(int points);
    int textSize() const;

    void setScrollOff(bool off);
    bool scrollOff() const;

    // Adds "Text Color", "Text Size", "Scroll Chat Off" and "Clear Main Chat";
    // the last two are the very actions of the chat view's own menu.
    void fillOptionsMenu(QMenu &options);

    // Shows the colour dialog; a confirmed choice becomes the text colour.
    void chooseTextColour();
    void clearChat();
    void sendit();

    ChatBrowser *chatBrowser() const { return m_browser; }
    ChatInput *chatInput() const { return m_input; }
    QAction *scrollOffAction() const { return m_scrollOff; }
    QAction *clearAction() const { return m_clear; }

Q_SIGNALS:
    // Text and colour text in wire bytes, ready for the chat or action request.
    void chatSubmitted(const QByteArray &text, const QByteArray &colourText);
    void actionSubmitted(const QByteArray &text, const QByteArray &colourText);
    // Only the user's own choices, so they can be saved.
    void textColourChanged(quint32 colour);
    void textSizeChanged(int points);

private:
    void buildViewMenu();
    void buildSmileyMenu();
    void showViewMenu(const QPoint &at);
    void buttonSmiliesClick();
    void textSizeChosen(int points);

    ChatBrowser *m_browser = nullptr;
    ChatInput *m_input = nullptr;
    QToolButton *m_smilies = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_smileyMenu = nullptr;
    QAction *m_scrollOff = nullptr;
    QAction *m_clear = nullptr;
    QAction *m_textColourAction = nullptr;
    std::array<QAction *, 4> m_sizeActions{};
    Colour m_textColour = colour::Black;
    bool m_loggedIn = false;
};

} // namespace zz
