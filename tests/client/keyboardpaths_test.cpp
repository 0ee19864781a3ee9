// Every mouse path of the game window taken with the keyboard alone, in an
// active window on a display with a window manager, each ending in what it
// must cause: a removal or a phrase on the wire, a smiley in the chat box, a
// link handed to the opener.
#include "client/chat/chatinput.h"
#include "core/chatline.h"
#include "daily/dailyfile.h"
#include "daily/schedule.h"
#include "dailyui/dailywindow.h"
#include "dict/builtindata.h"
#include "lobby/playwithothersdialog.h"
#include "lobby/tablefinder.h"
#include "net/tableannouncement.h"
#include "social/phrasecolumn.h"
#include "support/files.h"
#include "tablefixture.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace zz;
using namespace zz::test;

namespace {

class KeyboardPaths : public TableTest
{
protected:
    void SetUp() override
    {
        TableTest::SetUp();
        window.table().setHosting(true);
        seat(1, "Ann");
        handle({"CMD_newplayerinfo+2+Klot"});
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget *focused() const { return QApplication::focusWidget(); }
    // Keys go where a player's would: to whatever holds the focus, or the open menu.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : focused();
        ASSERT_TRUE(target);
        QTest::keyClick(target, k, modifiers);
    }
    QMenu *openMenu() const { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }
    void closeMenus()
    {
        while (QApplication::activePopupWidget())
            QApplication::activePopupWidget()->close();
    }
};

TEST_F(KeyboardPaths, SeatMenuFromTheFocusedSeatRemovesThePlayer)
{
    const struct
    {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {{"Menu key", Qt::Key_Menu, Qt::NoModifier}, {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        control<QWidget>("label_playername1")->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Tab);
        ASSERT_EQ(focused(), control<QWidget>("label_playername2"));
        key(c.key, c.modifiers);
        ASSERT_TRUE(waitFor([this] { return openMenu() != nullptr; }));
        EXPECT_EQ(openMenu()->objectName(), QStringLiteral("popup_kick"));
        key(Qt::Key_Down);   // the first entry: Remove From Game
        key(Qt::Key_Return);
        EXPECT_EQ(sent("CMD_kickhim+1+2+\xff"), QByteArray("CMD_kickhim+1+2+\xff"));
        closeMenus();
    }
}

TEST_F(KeyboardPaths, SeatMenuFromTheGameMenuRemovesThePlayer)
{
    control<QWidget>("mychat")->setFocus();
    key(Qt::Key_G, Qt::AltModifier);
    ASSERT_TRUE(waitFor([this] { return openMenu() != nullptr; }));
    key(Qt::Key_S);   // &Seats
    ASSERT_TRUE(waitFor([this] { return openMenu() && openMenu()->objectName() == u"Seats1"; }));
    key(Qt::Key_2);   // &2 Klot
    ASSERT_TRUE(waitFor([this] { return openMenu() && openMenu()->objectName() == u"Seat2"; }));
    key(Qt::Key_Return);   // a submenu opens on its first entry: Remove From Game
    EXPECT_EQ(sent("CMD_kickhim+1+2+\xff"), QByteArray("CMD_kickhim+1+2+\xff"));
    closeMenus();
}

TEST_F(KeyboardPaths, SpyMenuFromTheListRemovesTheSpy)
{
    handle({"CMD_newplayerinfo+8+Max"});
    spyList->setKickEnabled(true);
    spyList->show();
    spyList->activateWindow();
    // A tool window counts as active with its parent: wait for the keyboard itself.
    ASSERT_TRUE(waitFor([this] { return QGuiApplication::focusWindow() == spyList->windowHandle(); }));
    auto *list = spyList->findChild<QWidget *>(QStringLiteral("listbox_spys"));
    list->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Down);   // the first spy becomes the current entry
    ASSERT_EQ(focused(), list);
    key(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(waitFor([this] { return openMenu() != nullptr; }));
    EXPECT_EQ(openMenu()->parent(), spyList);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(sent("CMD_kickhim+1+8+\xff"), QByteArray("CMD_kickhim+1+8+\xff"));
}

TEST_F(KeyboardPaths, PhraseButtonsByShortcutAndByTab)
{
    PhraseColumn &phrases = window.phraseColumn();
    phrases.setClock([] { return qint64(0); });
    control<QWidget>("mychat")->setFocus();
    key(Qt::Key_3, Qt::AltModifier);
    QByteArray expected("CMD_action+1+says: Nice Try!|clBlack\xff");
    EXPECT_EQ(sent(expected), expected);

    // Past the cool-down, the same phrase from a button reached with Tab.
    phrases.setClock([] { return qint64(PhraseColumn::CoolDownMs); });
    control<QWidget>("label_playername6")->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), phrases.findChild<QWidget *>(QStringLiteral("b_phrase1")));
    key(Qt::Key_Space);
    expected = "CMD_action+1+says: Way To Go!|clBlack\xff";
    EXPECT_EQ(sent(expected), expected);
}

TEST_F(KeyboardPaths, ChatterSoundMenuOpensFromItsKey)
{
    control<QWidget>("mychat")->setFocus();
    key(Qt::Key_0, Qt::AltModifier);
    ASSERT_TRUE(waitFor([this] { return openMenu() && openMenu()->objectName() == u"popup_sounds"; }));
    key(Qt::Key_Down);   // <Cancel>
    key(Qt::Key_Down);   // Doh
    key(Qt::Key_Return);
    const QByteArray expected("CMD_playasound+1+wave1+\xff");
    EXPECT_EQ(sent(expected), expected);
}

TEST_F(KeyboardPaths, SmileyPickerInsertsAndEscapeCloses)
{
    ChatInput *box = window.chat().chatInput();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("hi "));
    key(Qt::Key_Tab);
    ASSERT_EQ(focused()->objectName(), QStringLiteral("button_smilies"));
    key(Qt::Key_Space);
    ASSERT_TRUE(waitFor([this] { return openMenu() && openMenu()->objectName() == u"popup_smilies"; }));
    key(Qt::Key_Escape);
    EXPECT_TRUE(waitFor([this] { return openMenu() == nullptr; }));
    EXPECT_EQ(box->text(), QStringLiteral("hi "));

    key(Qt::Key_Space);
    ASSERT_TRUE(waitFor([this] { return openMenu() != nullptr; }));
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(box->text(), QStringLiteral("hi ") + QString::fromStdString(smileyCode(1)));
    EXPECT_EQ(focused(), box);   // typing goes on where it was
}

TEST_F(KeyboardPaths, TabReachesAChatLinkAndEnterOpensIt)
{
    QList<QUrl> opened;
    ChatBrowser *view = window.chat().chatBrowser();
    view->setLinkOpener([&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    window.chat().addDecodedLine(QStringLiteral("2+Klot: see www.example.com/ladders for more"), colour::Black);
    window.findChild<QWidget *>(QStringLiteral("b_phrase10"))->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), view);
    key(Qt::Key_Tab);   // the first link of the view
    ASSERT_EQ(focused(), view);
    key(Qt::Key_Return);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("http://www.example.com/ladders"))});
}

TEST_F(KeyboardPaths, EnterOnAHeardTableJoinsIt)
{
    PlayWithOthersDialog lobby(&window);
    QStringList launched;
    QObject::connect(&lobby, &PlayWithOthersDialog::launchRequested, &lobby,
                     [&launched](const QStringList &arguments) { launched = arguments; });
    lobby.finder().datagramReceived(net::encodeAnnouncement({"1.0.2", 7772, "Friday", "Bo", 2, 0, true}), "10.0.0.9");
    lobby.show();
    lobby.activateWindow();
    ASSERT_TRUE(waitFor([&lobby] { return QGuiApplication::focusWindow() == lobby.windowHandle(); }));
    lobby.findChild<QLineEdit *>(QStringLiteral("edit_lobbyname"))->setText(QStringLiteral("Ann"));
    lobby.findChild<QTreeWidget *>(QStringLiteral("list_tables"))->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(launched, (QStringList{QStringLiteral("Ann"), QStringLiteral("10.0.0.9"), QStringLiteral("false")}));
}

// Typing a word or a chat line never sets off anything else: no menu entry,
// no button, no menu opening.
TEST_F(KeyboardPaths, NoLetterIsAShortcutInTheWordOrChatBox)
{
    handle({"CMD_startgame+Ann+1000+120+", "CMD_roundstart+1+pest+vast+", "CMD_nextplayer+1+"});
    int fired = 0;
    for (QAction *action : window.findChildren<QAction *>())
        QObject::connect(action, &QAction::triggered, &window, [&fired] { ++fired; });
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        QObject::connect(button, &QAbstractButton::clicked, &window, [&fired] { ++fired; });

    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (const char *name : {"edit_word", "mychat"}) {
        SCOPED_TRACE(name);
        auto *box = control<QLineEdit>(name);
        box->setFocus();
        for (qsizetype from = 0; from < letters.size(); from += 4) {
            box->clear();
            const QString chunk = letters.mid(from, 4);   // within the word box's five letters
            QTest::keyClicks(box, chunk);
            EXPECT_EQ(box->text(), chunk);
            EXPECT_EQ(focused(), box);
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        }
    }
    EXPECT_EQ(fired, 0);
}

// The daily ladder from the game window: Ctrl+D, a refused word of each kind,
// an undo, the last rung and the result copied, all without the mouse.
TEST_F(KeyboardPaths, DailyLadderFromOpeningToTheCopiedResult)
{
    const DailySchedule schedule("1 2026-12-01 HEAD TAIL 5\n2 2026-12-02 COLD WARM 4\n");
    const std::filesystem::path dir = freshTestFolder("zz_dailykeys_");
    DailyWindow daily(schedule, builtinDictionary(), {"cold", "cord", "word", "ward", "warm"}, &window);
    daily.setClock([] { return std::time_t{1'796'212'800}; });   // noon of 2026-12-02, UTC
    daily.setResultsFile(dailyFileIn(dir));
    window.setCompanions({{}, {}, {}, {}, {}, spyList, tally, ladder, &daily});

    control<QWidget>("mychat")->setFocus();
    key(Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(waitFor([&daily] { return QGuiApplication::focusWindow() == daily.windowHandle(); }));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("edit_dailyword"));
    const auto enter = [&](const char *word) {
        QTest::keyClicks(focused(), QString::fromLatin1(word));
        key(Qt::Key_Return);
        return daily.findChild<QLabel *>(QStringLiteral("label_dailystatus"))->text();
    };
    const auto box = [&daily] { return daily.findChild<QLineEdit *>(QStringLiteral("edit_dailyword")); };
    const struct
    {
        const char *word, *reason;
    } refused[] = {{"cxld", "not a word"}, {"colds", "not the right length"},
                   {"word", "changes more than one letter"}, {"cold", "already used"}};
    for (const auto &r : refused) {
        SCOPED_TRACE(r.word);
        EXPECT_TRUE(enter(r.word).contains(QLatin1String(r.reason)));
        EXPECT_EQ(box()->text().toLower(), QLatin1String(r.word));   // kept to be mended
        box()->clear();
    }
    enter("cord");
    enter("card");
    key(Qt::Key_Z, Qt::ControlModifier);
    for (const char *word : {"word", "ward", "warm"})
        enter(word);
    EXPECT_TRUE(daily.findChild<QLabel *>(QStringLiteral("label_dailyresult"))->text().startsWith(
        QStringLiteral("Solved in 4 steps (par 4).")));
    key(Qt::Key_C, Qt::AltModifier);
    // The display hands the clipboard back through the event loop.
    EXPECT_TRUE(waitFor([] { return !QApplication::clipboard()->text().isEmpty(); }));
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "Zig Zop Daily #2 \u00b7 4 steps (par 4)\n"
                                                              "\u2b1c\u2b1c\U0001F7E9\u2b1c\n"
                                                              "\U0001F7E9\u2b1c\U0001F7E9\u2b1c\n"
                                                              "\U0001F7E9\U0001F7E9\U0001F7E9\u2b1c\n"
                                                              "\U0001F7E9\U0001F7E9\U0001F7E9\U0001F7E9\n");
    std::filesystem::remove_all(dir);
}

} // namespace
