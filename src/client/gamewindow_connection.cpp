// What the window says when a join fails or its table goes away: it stays,
// tells the player in words and offers another table.
#include "gamewindow.h"

#include "client/board/boardview.h"
#include "client/chat/chatview.h"
#include "core/chatline.h"
#include "core/tableaddress.h"
#include "lobby/playwithothersdialog.h"
#include "session/wiretext.h"

#include <QMessageBox>
#include <QPushButton>

namespace zz {

QString GameWindow::tableText() const
{
    return QString::fromStdString(tableAddressText({m_hostAddress.toStdString(), m_hostPort}, 0));
}

void GameWindow::joinFailed(const QString &reason)
{
    m_chat->addProgramLine(fromAscii(line::CouldNotReach) + tableText() + QStringLiteral(": ") + reason
                               + QLatin1Char('.'),
                           SystemLineColour);
    if (m_companions.download)
        m_companions.download->offerRetry(m_playerName, tableText());
    showInFront(m_companions.download);
}

void GameWindow::tableClosed()
{
    m_chat->setLoggedIn(false);
    m_board->hideWordEntry();
    setStartAllowed(false);
    // The wire does not tell a removal from a table that stopped: one text for both.
    auto *box = new QMessageBox(QMessageBox::Information, fromAscii(ApplicationTitle),
                                fromAscii(message::TableAt) + tableText() + fromAscii(message::ClosedTheConnection),
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("box_tableclosed"));
    QPushButton *others = box->addButton(QStringLiteral("Play With Others..."), QMessageBox::AcceptRole);
    box->addButton(QStringLiteral("Exit"), QMessageBox::RejectRole);
    box->setDefaultButton(others);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::buttonClicked, this, [this, others](QAbstractButton *button) {
        if (button == others) {
            if (m_companions.download)
                m_companions.download->offerRetry(m_playerName, tableText());
            showInFront(m_companions.download);
        }
        else
            close();
    });
    box->open();
}

} // namespace zz
