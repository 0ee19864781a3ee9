#include "client/chat/chatbrowser.h"
#include "client/chat/chatinput.h"
#include "client/chat/chatview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/waitfor.h"
#include "support/widgets.h"

using namespace zz;
using zz::test::pressKey;

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

// The format of the character at position in the view's document.
QTextCharFormat formatAt(ChatBrowser *view, int position)
{
    QTextCursor cursor(view->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

class ChatViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_chat.resize(600, 240);
        m_chat.show();
        m_view = m_chat.findChild<ChatBrowser *>(qs("mainchat"));
        m_input = m_chat.findChild<ChatInput *>(qs("mychat"));
        ASSERT_NE(m_view, nullptr);
        ASSERT_NE(m_input, nullptr);
        m_view->setLinkOpener([this](const QUrl &url) {
            m_opened.push_back(url.toString());
            return m_browserAnswers;
        });
    }

    ChatView m_chat;
    ChatBrowser *m_view = nullptr;
    ChatInput *m_input = nullptr;
    std::vector<QString> m_opened;
    bool m_browserAnswers = true;
};

} // namespace

TEST_F(ChatViewTest, DrawsLineAsPlainTextNeverMarkup)
{
    m_chat.chatReceived("2+Ann chats: hello|clNavy");
    m_chat.chatReceived("3+Bo chats: <b>hi</b> &amp; <img src=x>|clRed");
    EXPECT_EQ(m_view->toPlainText(), qs("Ann chats:  hello \nBo chats:  <b>hi</b> &amp; <img src=x> "));
    EXPECT_EQ(m_view->document()->blockCount(), 2);
}

TEST_F(ChatViewTest, LineBreaksFromTheWireStayInTheirLine)
{
    m_chat.chatReceived("2+Ann chats: hi\r0+You have Won the Game!\nbye|clBlue");
    EXPECT_EQ(m_view->document()->blockCount(), 1);
    EXPECT_EQ(m_view->toPlainText(), qs("Ann chats:  hi 0+You have Won the Game! bye "));
}

TEST_F(ChatViewTest, DecodesWindows1252)
{
    m_chat.addLine("1+Zo\xeb chats: \x80 5", colour::Black);
    m_chat.chatLineReceived(qs("2+\u00c5sa chats: \u20ac"), qs("CLNAVY"));
    m_chat.chatLineReceived(qs("3+Bo waves"), QString());
    EXPECT_EQ(m_view->toPlainText(), qs("Zo\u00eb chats:  \u20ac 5 \n\u00c5sa chats:  \u20ac \n Bo waves "));
    const int second = m_view->document()->findBlockByNumber(1).position();
    const int third = m_view->document()->findBlockByNumber(2).position();
    EXPECT_EQ(formatAt(m_view, second).foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(formatAt(m_view, third + 1).foreground().color(), QColor(255, 0, 0)) << "no colour text: red";
}

TEST_F(ChatViewTest, SeatStyleTurnsBoldAndEarlierLinesFollowItsColour)
{
    m_chat.chatReceived("2+Ann chats: one|clNavy");
    m_chat.addLine("0+You are Connected.", SystemLineColour);
    EXPECT_EQ(formatAt(m_view, 0).foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(formatAt(m_view, 0).fontWeight(), QFont::Bold);

    const int systemStart = m_view->document()->findBlockByNumber(1).position();
    EXPECT_EQ(formatAt(m_view, systemStart + 2).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(m_view, systemStart + 2).fontWeight(), QFont::Bold);

    m_chat.chatReceived("2+Ann chats: two|clMaroon");
    EXPECT_EQ(formatAt(m_view, 0).foreground().color(), QColor(128, 0, 0)) << "the first line follows its seat";
    EXPECT_EQ(formatAt(m_view, systemStart + 2).foreground().color(), QColor(0, 0, 255)) << "other seats keep theirs";
}

TEST_F(ChatViewTest, EarlierLinesTakeANewColourWhenScrolledIntoView)
{
    for (int i = 0; i < 200; ++i)
        m_chat.chatReceived(i % 2 ? "2+Ann chats: odd|clNavy" : "2+Ann chats: even|clRed");
    m_chat.chatReceived("2+Ann chats: last|clGreen");
    QScrollBar *bar = m_view->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(0);
    EXPECT_EQ(formatAt(m_view, 0).foreground().color(), QColor(0, 128, 0));
    const int middle = m_view->document()->findBlockByNumber(100).position();
    bar->setValue(m_view->document()->documentLayout()->blockBoundingRect(m_view->document()->findBlockByNumber(100))
                      .toRect().top());
    EXPECT_EQ(formatAt(m_view, middle).foreground().color(), QColor(0, 128, 0));
}

TEST_F(ChatViewTest, TextColourDialogRunsNoLoopOfItsOwn)
{
    quint32 saved = 0;
    QObject::connect(&m_chat, &ChatView::textColourChanged, [&saved](quint32 colour) { saved = colour; });
    // A dialog that blocks is found (and dismissed) by this timer, inside the call.
    bool blocked = false;
    QTimer::singleShot(0, &m_chat, [this, &blocked] {
        if (auto *open = m_chat.findChild<QColorDialog *>(); open && open->isVisible()) {
            blocked = true;
            open->reject();
        }
    });
    m_chat.chooseTextColour();
    EXPECT_FALSE(blocked);

    auto *dialog = m_chat.findChild<QColorDialog *>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    dialog->setCurrentColor(QColor(0, 0, 128));
    dialog->accept();
    EXPECT_EQ(m_chat.textColour(), colour::Navy);
    EXPECT_EQ(saved, colour::Navy);
}

TEST_F(ChatViewTest, TextSizeAppliesToEveryLineAndChecksItsEntry)
{
    QMenu options;
    m_chat.fillOptionsMenu(options);
    m_chat.addLine("0+x see www.a.com", SystemLineColour);
    int saved = 0;
    QObject::connect(&m_chat, &ChatView::textSizeChanged, &m_chat, [&saved] { ++saved; });

    auto *n14 = m_chat.findChild<QAction *>(qs("N14"));
    ASSERT_NE(n14, nullptr);
    n14->trigger();
    EXPECT_EQ(formatAt(m_view, 1).fontPointSize(), 14);
    EXPECT_EQ(formatAt(m_view, 8).fontPointSize(), 14) << "links too";
    EXPECT_TRUE(formatAt(m_view, 8).isAnchor()) << "a restyled link stays a link";
    EXPECT_EQ(saved, 1);

    m_chat.setTextSize(9);
    EXPECT_EQ(m_chat.textSize(), 9);
    for (const char *name : {"N8", "N10", "N12", "N14"})
        EXPECT_FALSE(m_chat.findChild<QAction *>(qs(name))->isChecked()) << name;
    EXPECT_EQ(saved, 1) << "a size set from the settings is not saved again";
}

TEST_F(ChatViewTest, ScrollOffFromEitherMenuKeepsThePosition)
{
    for (int i = 0; i < 60; ++i)
        m_chat.addLine("0+filler line", SystemLineColour);
    QScrollBar *bar = m_view->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    // The Options menu and the chat's own menu hold the one entry.
    QMenu options;
    m_chat.fillOptionsMenu(options);
    auto *popup = m_chat.findChild<QMenu *>(qs("popup_mainchat"));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(options.actions().contains(m_chat.scrollOffAction()));
    EXPECT_TRUE(popup->actions().contains(m_chat.scrollOffAction()));
    m_chat.scrollOffAction()->trigger();
    EXPECT_TRUE(m_chat.scrollOff());
    bar->setValue(10);
    for (int i = 0; i < 20; ++i)
        m_chat.addLine("0+more", SystemLineColour);
    EXPECT_EQ(bar->value(), 10);

    m_chat.setScrollOff(false);
    m_chat.addLine("0+last", SystemLineColour);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(ChatViewTest, LinksOpenTheirOwnTextAfterClearAndManyLinks)
{
    m_chat.addLine("1+a: www.first.com", colour::Black);
    m_chat.clearChat();
    m_chat.addLine("1+a: go www.second.com now", colour::Black);
    m_view->openLink(0);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], qs("http://www.second.com"));

    for (int i = 0; i < 120; ++i)
        m_chat.addLine("1+a: http://x.org/" + std::to_string(i), colour::Black);
    m_opened.clear();
    m_view->openLink(120);
    m_view->openLink(1);
    EXPECT_EQ(m_opened, (std::vector<QString>{qs("http://x.org/119"), qs("http://x.org/0")}));
}

TEST_F(ChatViewTest, ClickOnLinkOpensIt)
{
    m_chat.show();
    m_chat.addLine("1+a: HTTP://Example.org/p", colour::Black);
    const QString plain = m_view->toPlainText();
    QTextCursor cursor(m_view->document());
    cursor.setPosition(static_cast<int>(plain.indexOf(qs("HTTP"))) + 3);
    const QPoint at = m_view->cursorRect(cursor).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, m_view->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_view->viewport(), &event);
    }
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], qs("http://example.org/p"));
}

TEST_F(ChatViewTest, RefusesLinksThatAreNotWebAddresses)
{
    int refused = 0;
    QObject::connect(m_view, &ChatBrowser::linkRefused, m_view, [&refused] { ++refused; });
    m_chat.addLine("1+a: file:///etc/www.passwd", colour::Black);
    m_view->openLink(0);
    m_view->openLink(7);   // no such link
    EXPECT_TRUE(m_opened.empty());
    ASSERT_EQ(refused, 2);
    auto *box = m_view->findChild<QMessageBox *>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), qs("Cannot open Webpage"));
}

TEST_F(ChatViewTest, AWebAddressNoBrowserTakesGetsTheMessage)
{
    m_browserAnswers = false;
    m_chat.addLine("1+a: www.example.org", colour::Black);
    m_view->openLink(0);
    ASSERT_EQ(m_opened.size(), 1u);
    auto *box = m_view->findChild<QMessageBox *>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), qs("Cannot open Webpage"));
}

TEST_F(ChatViewTest, CopiesSelectionAsPlainTextWithSmileyCodes)
{
    m_chat.chatReceived("2+Ann chats: hi:)#13 there|clNavy");
    m_view->selectAll();
    pressKey(m_view, Qt::Key_Insert, {}, Qt::ControlModifier);
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_FALSE(copied->hasHtml());
    EXPECT_EQ(copied->text(), qs("Ann chats:  hi :)#13 there "));
}

TEST_F(ChatViewTest, PlaceholderGoesOnFirstKeyAndPasteAppendsAtEnd)
{
    EXPECT_EQ(m_input->text(), qs("<Enter Chat Here>"));
    pressKey(m_input, Qt::Key_H, qs("h"));
    EXPECT_EQ(m_input->text(), qs("h"));

    m_input->setText(qs("abc"));
    m_input->setCursorPosition(1);
    QApplication::clipboard()->setText(qs("XY"));
    pressKey(m_input, Qt::Key_V, {}, Qt::ControlModifier);
    EXPECT_EQ(m_input->text(), qs("abcXY"));
    EXPECT_EQ(m_input->cursorPosition(), 5);

    QApplication::clipboard()->clear();
    m_input->setCursorPosition(0);
    m_input->pasteAtEnd();
    EXPECT_EQ(m_input->text(), qs("abcXY"));
    EXPECT_EQ(m_input->cursorPosition(), 5);
}

TEST_F(ChatViewTest, SmileyMenuShowsEveryFaceAndEntersItsCode)
{
    auto *menu = m_chat.findChild<QMenu *>(qs("popup_smilies"));
    ASSERT_NE(menu, nullptr);
    Q_EMIT menu->aboutToShow();
    const QList<QAction *> entries = menu->actions();
    ASSERT_EQ(entries.size(), 18);
    for (int index = 0; index < entries.size(); ++index) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(entries[index]->icon().isNull());
    }
    entries.at(2)->trigger();
    EXPECT_EQ(m_input->text(), qs(":)#12"));   // the placeholder is gone
}

TEST_F(ChatViewTest, EnterSendsWireBytesOnlyWhenLoggedIn)
{
    std::vector<std::pair<QByteArray, QByteArray>> chats, actions;
    QObject::connect(&m_chat, &ChatView::chatSubmitted, &m_chat,
                     [&chats](const QByteArray &text, const QByteArray &colour) { chats.emplace_back(text, colour); });
    QObject::connect(&m_chat, &ChatView::actionSubmitted, &m_chat,
                     [&actions](const QByteArray &text, const QByteArray &colour) { actions.emplace_back(text, colour); });
    m_chat.setTextColour(colour::Navy);
    m_input->setText(qs("caf\u00e9 \u263a \u00ff"));
    pressKey(m_input, Qt::Key_Return, qs("\r"));
    EXPECT_TRUE(chats.empty());
    EXPECT_EQ(m_input->text(), qs("caf\u00e9 \u263a \u00ff")) << "kept until logged in";

    m_chat.setLoggedIn(true);
    pressKey(m_input, Qt::Key_Return, qs("\r"));
    ASSERT_EQ(chats.size(), 1u);
    EXPECT_EQ(chats[0].first, QByteArray("caf\xe9 ? ?"));
    EXPECT_EQ(chats[0].second, QByteArray("clNavy"));
    EXPECT_TRUE(m_input->text().isEmpty());

    m_input->setText(qs("/me waves"));
    pressKey(m_input, Qt::Key_Enter, qs("\r"));
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].first, QByteArray("waves"));
}
