#include "lobby/matchmakerpanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

namespace {

const QString NoMatchmaker = QStringLiteral("Type a matchmaker's address to play with people on the internet.");

} // namespace

MatchmakerPanel::MatchmakerPanel(QWidget *parent) : QGroupBox(QStringLiteral("Play on the internet"), parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *addressRow = new QHBoxLayout;
    addressRow->addWidget(new QLabel(QStringLiteral("Matchmaker:"), this));
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("edit_matchmaker"));
    m_address->setAccessibleName(QStringLiteral("Matchmaker"));
    m_address->setPlaceholderText(QStringLiteral("host:port or https://host"));
    addressRow->addWidget(m_address, 1);
    layout->addLayout(addressRow);

    auto *buttons = new QHBoxLayout;
    m_quick = new QPushButton(QStringLiteral("Quick Match"), this);
    m_quick->setObjectName(QStringLiteral("button_quickmatch"));
    m_private = new QPushButton(QStringLiteral("Private Table for Friends"), this);
    m_private->setObjectName(QStringLiteral("button_privatetable"));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("button_cancelmatch"));
    buttons->addWidget(m_quick);
    buttons->addWidget(m_private);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("label_matchstatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    connect(m_address, &QLineEdit::textChanged, this, &MatchmakerPanel::showState);
    connect(m_quick, &QPushButton::clicked, this, &MatchmakerPanel::quickMatchClicked);
    connect(m_private, &QPushButton::clicked, this, &MatchmakerPanel::privateTableClicked);
    connect(m_cancel, &QPushButton::clicked, this, &MatchmakerPanel::cancelClicked);
    connect(&m_client, &MatchmakerClient::tableOffered, this, [this](const TableOffer &offer) {
        m_status->setText(QStringLiteral("Joining the table…"));
        showState();
        Q_EMIT tableFound(offer, m_askedPrivate);
    });
    connect(&m_client, &MatchmakerClient::failed, this, [this](const QString &words) {
        m_status->setText(words);
        showState();
    });
    setRememberedMatchmaker({});
}

void MatchmakerPanel::setRememberedMatchmaker(const QString &address)
{
    m_remembered = address;
    const QString environment = qEnvironmentVariable("ZIGZOP_MATCHMAKER").trimmed();
    m_fromEnvironment = !environment.isEmpty();
    m_address->setText(m_fromEnvironment ? environment : address);
    m_address->setReadOnly(m_fromEnvironment);
    m_address->setToolTip(m_fromEnvironment ? QStringLiteral("Set by ZIGZOP_MATCHMAKER") : QString());
    m_status->setText(matchmaker().isEmpty() ? NoMatchmaker : QString());
    showState();
}

QString MatchmakerPanel::matchmaker() const
{
    return m_address->text().trimmed();
}

void MatchmakerPanel::showState()
{
    const bool busy = m_client.busy();
    const bool usable = !matchmaker().isEmpty();
    const QString why = usable ? QString() : NoMatchmaker;
    for (QPushButton *button : {m_quick, m_private}) {
        button->setEnabled(usable && !busy);
        button->setToolTip(why);
    }
    m_cancel->setVisible(busy);
    m_address->setEnabled(!busy);
    if (!usable && !busy)
        m_status->setText(NoMatchmaker);
    else if (m_status->text() == NoMatchmaker)
        m_status->clear();
}

void MatchmakerPanel::quickMatchClicked()
{
    ask(false);
}

void MatchmakerPanel::privateTableClicked()
{
    ask(true);
}

void MatchmakerPanel::ask(bool privateTable)
{
    if (matchmaker().isEmpty())
        return;
    m_askedPrivate = privateTable;
    m_client.askForTable(matchmaker(), privateTable);
    m_status->setText(QStringLiteral("Finding a table…"));
    showState();
}

void MatchmakerPanel::cancelClicked()
{
    m_client.cancel();
    m_status->clear();
    showState();
}

} // namespace zz
