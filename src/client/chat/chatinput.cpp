#include "chatinput.h"

#include "chattexts.h"
#include "core/chatline.h"
#include "session/wiretext.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace zz {

ChatInput::ChatInput(QWidget *parent)
    : QLineEdit(parent)
    , m_menu(new QMenu(this))
{
    setObjectName(fromAscii("mychat"));
    setAccessibleName(fromAscii(chattext::ChatBoxName));
    QFont font(fromAscii("Arial"));
    font.setPixelSize(13);
    setFont(font);
    setText(fromAscii(chattext::Placeholder));

    m_menu->setObjectName(fromAscii("popup_mychat"));
    QAction *paste = m_menu->addAction(fromAscii(chattext::Paste));
    paste->setObjectName(fromAscii("Paste1"));
    paste->setShortcut(QKeySequence::Paste);
    connect(paste, &QAction::triggered, this, &ChatInput::pasteAtEnd);
}

void ChatInput::removePlaceholder()
{
    if (text() == fromAscii(chattext::Placeholder))
        clear();
}

void ChatInput::caretToEnd()
{
    deselect();
    setCursorPosition(static_cast<int>(text().size()));
}

void ChatInput::pasteAtEnd()
{
    const QString clip = QApplication::clipboard()->text();
    if (!clip.isEmpty()) {
        // The box holds one line: pasted line breaks become spaces.
        QString line = clip;
        line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        setText(text() + line);
    }
    caretToEnd();
}

void ChatInput::insertSmiley(int index)
{
    removePlaceholder();
    setText(text() + QString::fromStdString(smileyCode(index)));
    caretToEnd();
}

void ChatInput::setTextColour(const QColor &colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Text, colour);
    setPalette(colours);
}

void ChatInput::keyPressEvent(QKeyEvent *event)
{
    removePlaceholder();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT sendRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        pasteAtEnd();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ChatInput::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
    event->accept();
}

} // namespace zz
