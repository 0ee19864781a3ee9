#include "chatview.h"

#include "chatbrowser.h"
#include "chatinput.h"
#include "chatcolours.h"
#include "chattexts.h"
#include "core/chatline.h"
#include "smileys.h"
#include "session/wiretext.h"
#include "ui/focuslook.h"

#include <QAction>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtDebug>

namespace zz {

namespace {

constexpr std::array<int, 4> TextSizes{8, 10, 12, 14};

QByteArray toBytes(const std::string &bytes)
{
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

ChatView::ChatView(QWidget *parent)
    : QWidget(parent)
    , m_browser(new ChatBrowser(this))
    , m_input(new ChatInput(this))
    , m_smilies(new QToolButton(this))
{
    m_smilies->setObjectName(fromAscii("button_smilies"));
    m_smilies->setAccessibleName(fromAscii(chattext::Smileys));
    ui::showFocus(*m_smilies);
    ui::showFocus(*m_browser);
    m_smilies->setIcon(QPixmap::fromImage(smileyImage(0)));
    m_smilies->setFixedSize(24, 24);
    m_smilies->setAutoRaise(true);

    auto *inputRow = new QHBoxLayout;
    inputRow->setContentsMargins(0, 0, 0, 0);
    inputRow->setSpacing(3);
    inputRow->addWidget(m_input, 1);
    inputRow->addWidget(m_smilies);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    column->addWidget(m_browser, 1);
    column->addLayout(inputRow);

    buildViewMenu();
    buildSmileyMenu();

    m_textColourAction = new QAction(fromAscii(chattext::TextColor), this);
    m_textColourAction->setObjectName(fromAscii("TextColor1"));
    connect(m_textColourAction, &QAction::triggered, this, &ChatView::chooseTextColour);
    for (std::size_t i = 0; i < TextSizes.size(); ++i) {
        const int points = TextSizes[i];
        auto *action = new QAction(QString::number(points), this);
        action->setObjectName(QStringLiteral("N%1").arg(points));
        action->setCheckable(true);
        action->setData(points);
        connect(action, &QAction::triggered, this, [this, points] { textSizeChosen(points); });
        m_sizeActions[i] = action;
    }
    setTextSize(m_browser->textSize());

    connect(m_input, &ChatInput::sendRequested, this, &ChatView::sendit);
    connect(m_smilies, &QToolButton::clicked, this, &ChatView::buttonSmiliesClick);
    connect(m_browser, &QWidget::customContextMenuRequested, this, &ChatView::showViewMenu);
}

void ChatView::buildViewMenu()
{
    m_viewMenu = new QMenu(this);
    m_viewMenu->setObjectName(fromAscii("popup_mainchat"));

    QAction *selectAll = m_viewMenu->addAction(fromAscii(chattext::SelectAll));
    selectAll->setObjectName(fromAscii("SelectAll1"));
    connect(selectAll, &QAction::triggered, m_browser, &QTextEdit::selectAll);

    QAction *copy = m_viewMenu->addAction(fromAscii(chattext::Copy));
    copy->setObjectName(fromAscii("Copy1"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, m_browser, &QTextEdit::copy);

    m_clear = m_viewMenu->addAction(fromAscii(chattext::ClearMainChat));
    m_clear->setObjectName(fromAscii("ClearMainChat1"));
    connect(m_clear, &QAction::triggered, this, &ChatView::clearChat);

    m_viewMenu->addSeparator();

    // One action serves both menus, so their check marks cannot disagree.
    m_scrollOff = m_viewMenu->addAction(fromAscii(chattext::ScrollChatOff));
    m_scrollOff->setObjectName(fromAscii("ScrollChatOff1"));
    m_scrollOff->setCheckable(true);
    m_scrollOff->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_scrollOff->setShortcutContext(Qt::WindowShortcut);
    addAction(m_scrollOff);
    connect(m_scrollOff, &QAction::toggled, m_browser, &ChatBrowser::setScrollOff);
}

void ChatView::buildSmileyMenu()
{
    m_smileyMenu = new QMenu(this);
    m_smileyMenu->setObjectName(fromAscii("popup_smilies"));
    // The faces are drawn when the menu first opens, not at start.
    connect(m_smileyMenu, &QMenu::aboutToShow, this, [this] {
        const QList<QAction *> entries = m_smileyMenu->actions();
        for (int index = 0; index < entries.size(); ++index)
            if (entries[index]->icon().isNull())
                entries[index]->setIcon(QPixmap::fromImage(smileyImage(index)));
    });
    for (int index = 0; index < SmileyCount; ++index) {
        QAction *entry = m_smileyMenu->addAction(QString::fromStdString(smileyCode(index)));
        entry->setData(index + FirstSmileyCode);
        connect(entry, &QAction::triggered, m_input, [this, index] {
            m_input->insertSmiley(index);
            // Picked from the keyboard, the next key is meant for the chat box.
            m_input->setFocus();
        });
    }
}

void ChatView::showViewMenu(const QPoint &at)
{
    m_viewMenu->popup(m_browser->viewport()->mapToGlobal(at));
}

void ChatView::buttonSmiliesClick()
{
    m_smileyMenu->popup(m_smilies->mapToGlobal(QPoint(m_smilies->width(), m_smilies->height())));
}

bool ChatView::addLine(std::string_view line, Colour colour)
{
    const auto parsed = parseChatLine(line, colour);
    if (!parsed) {
        qWarning("chat: line without a seat number dropped: %s",
                 qPrintable(fromWire(line.substr(0, 40))));
        return false;
    }
    m_browser->addLine(*parsed);
    return true;
}

void ChatView::chatReceived(std::string_view text)
{
    const ReceivedChat received = splitReceivedChat(text);
    addLine(received.line, received.colour);
}

void ChatView::chatLineReceived(const QString &line, const QString &colourText)
{
    const auto colour = colourFromText(toWire(colourText));
    addLine(toWire(line), colour.value_or(UnreadableChatColour));
}

bool ChatView::addDecodedLine(const QString &line, Colour colour)
{
    return addLine(toWire(line), colour);
}

void ChatView::sendit()
{
    const ChatSend send = composeChat(m_loggedIn, toWire(m_input->text()));
    if (send.emptyBox)
        m_input->clear();
    const QByteArray colourText = toBytes(colourToText(m_textColour));
    if (send.kind == ChatSend::Chat)
        Q_EMIT chatSubmitted(toBytes(send.text), colourText);
    else if (send.kind == ChatSend::Action)
        Q_EMIT actionSubmitted(toBytes(send.text), colourText);
}

void ChatView::setTextColour(Colour colour)
{
    m_textColour = colour;
    m_input->setTextColour(toQColor(colour));
}

void ChatView::chooseTextColour()
{
    // Not getColor(): its own event loop would run the game's handlers inside this one.
    auto *dialog = new QColorDialog(toQColor(m_textColour), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor &chosen) {
        if (!chosen.isValid())
            return;
        setTextColour(fromQColor(chosen));
        Q_EMIT textColourChanged(m_textColour);
    });
    dialog->open();
}

void ChatView::setTextSize(int points)
{
    m_browser->setTextSize(points);
    for (QAction *action : m_sizeActions)
        action->setChecked(action->data().toInt() == points);
}

int ChatView::textSize() const
{
    return m_browser->textSize();
}

void ChatView::textSizeChosen(int points)
{
    setTextSize(points);
    Q_EMIT textSizeChanged(points);
}

void ChatView::setScrollOff(bool off)
{
    m_scrollOff->setChecked(off);
}

bool ChatView::scrollOff() const
{
    return m_scrollOff->isChecked();
}

void ChatView::clearChat()
{
    m_browser->clearChat();
    m_input->setFocus();
}

void ChatView::fillOptionsMenu(QMenu &options)
{
    options.addAction(m_textColourAction);
    QMenu *sizes = options.addMenu(fromAscii(chattext::TextSize));
    sizes->setObjectName(fromAscii("TextSize1"));
    for (QAction *action : m_sizeActions)
        sizes->addAction(action);
    options.addAction(m_scrollOff);
    options.addAction(m_clear);
}

} // namespace zz
