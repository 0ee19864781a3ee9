#include "lobby/playwithothersdialog.h"

#include "core/launchplan.h"
#include "core/names.h"
#include "core/tableaddress.h"
#include "core/tablecode.h"
#include "lobby/matchmakerpanel.h"
#include "lobby/tablefinder.h"
#include "net/tableannouncement.h"
#include "ui/enterkey.h"
#include "ui/tiledlook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zz {

namespace {

QString utf8(const std::string &text)
{
    return QString::fromStdString(text);
}

enum Column { TableColumn, OwnerColumn, PlayersColumn, WatchersColumn, GameColumn, ColumnCount };
constexpr int AddressRole = Qt::UserRole;

} // namespace

PlayWithOthersDialog::PlayWithOthersDialog(QWidget *parent)
    : QDialog(parent), m_finderPort(net::AnnouncePort), m_finder(new TableFinder(this))
{
    setObjectName(QStringLiteral("download"));
    setWindowTitle(QString::fromUtf8(caption::Download));
    ui::tileBackground(*this);
    setModal(false);

    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Host a table for your friends, or join one."), this);
    layout->addWidget(intro);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Your name:"), this));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("edit_lobbyname"));
    m_name->setAccessibleName(QStringLiteral("Your name"));
    m_name->setMaxLength(30);
    nameRow->addWidget(m_name);
    layout->addLayout(nameRow);
    buildHost(this);
    buildJoin(this);
    m_matchmaker = new MatchmakerPanel(this);
    layout->addWidget(m_matchmaker);
    connect(m_matchmaker, &MatchmakerPanel::tableFound, this, &PlayWithOthersDialog::matchTableFound);
    buildFinder(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("label_lobbystatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    auto *daily = new QPushButton(QStringLiteral("Today's Ladder"), this);
    daily->setObjectName(QStringLiteral("button_daily"));
    daily->setAccessibleDescription(QStringLiteral("Opens the daily ladder: one puzzle a day, played alone."));
    connect(daily, &QPushButton::clicked, this, &PlayWithOthersDialog::dailyRequested);
    layout->addWidget(daily, 0, Qt::AlignHCenter);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("button_close"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    resize(460, 640);
    connect(m_finder, &TableFinder::tablesChanged, this, &PlayWithOthersDialog::showTables);
}

PlayWithOthersDialog::~PlayWithOthersDialog() = default;

void PlayWithOthersDialog::buildHost(QWidget *page)
{
    auto *box = new QGroupBox(QStringLiteral("Host a table"), page);
    auto *layout = new QVBoxLayout(box);
    m_announce = new QCheckBox(QStringLiteral("Let players on this network find my table"), box);
    m_announce->setObjectName(QStringLiteral("check_announce"));
    layout->addWidget(m_announce);
    auto *host = new QPushButton(QStringLiteral("Host a Table"), box);
    host->setObjectName(QStringLiteral("button_host"));
    connect(host, &QPushButton::clicked, this, &PlayWithOthersDialog::hostClicked);
    layout->addWidget(host, 0, Qt::AlignLeft);
    m_hosted = new QLabel(box);
    m_hosted->setObjectName(QStringLiteral("label_tableaddresses"));
    m_hosted->setWordWrap(true);
    m_hosted->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_hosted->hide();
    layout->addWidget(m_hosted);
    page->layout()->addWidget(box);
}

void PlayWithOthersDialog::buildJoin(QWidget *page)
{
    auto *box = new QGroupBox(QStringLiteral("Join a table"), page);
    auto *layout = new QHBoxLayout(box);
    m_address = new QComboBox(box);
    m_address->setObjectName(QStringLiteral("combo_address"));
    m_address->setAccessibleName(QStringLiteral("Table address"));
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->lineEdit()->setPlaceholderText(QStringLiteral("address, address:port, [IPv6]:port or a table code"));
    m_address->lineEdit()->setAccessibleName(m_address->accessibleName());
    m_address->view()->setAccessibleName(QStringLiteral("Table addresses"));
    layout->addWidget(m_address, 1);
    auto *join = new QPushButton(QStringLiteral("Join"), box);
    join->setObjectName(QStringLiteral("button_join"));
    connect(join, &QPushButton::clicked, this, &PlayWithOthersDialog::joinClicked);
    connect(m_address->lineEdit(), &QLineEdit::returnPressed, this, &PlayWithOthersDialog::joinClicked);
    layout->addWidget(join);
    page->layout()->addWidget(box);
}

void PlayWithOthersDialog::buildFinder(QWidget *page)
{
    auto *box = new QGroupBox(QStringLiteral("Tables on this network (click one to join)"), page);
    auto *layout = new QVBoxLayout(box);
    m_tables = new QTreeWidget(box);
    m_tables->setObjectName(QStringLiteral("list_tables"));
    m_tables->setAccessibleName(QStringLiteral("Tables on this network"));
    m_tables->setColumnCount(ColumnCount);
    m_tables->setHeaderLabels({QStringLiteral("Table"), QStringLiteral("Owner"), QStringLiteral("Players"),
                               QStringLiteral("Watchers"), QStringLiteral("Game")});
    m_tables->setRootIsDecorated(false);
    m_tables->header()->setStretchLastSection(false);
    m_tables->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tables->header()->setSectionResizeMode(TableColumn, QHeaderView::Stretch);
    connect(m_tables, &QTreeWidget::itemClicked, this, &PlayWithOthersDialog::tableClicked);
    // Enter on a table joins it as a click does; a double click has joined on its first click.
    ui::enterActivates(*m_tables);
    connect(m_tables, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            tableClicked(item);
    });
    layout->addWidget(m_tables);
    page->layout()->addWidget(box);
}

void PlayWithOthersDialog::setChoicesFile(std::filesystem::path file)
{
    m_choicesFile = std::move(file);
    m_choices = loadLobbyChoices(m_choicesFile);
    m_name->setText(utf8(m_choices.name));
    m_announce->setChecked(m_choices.announce);
    m_address->clear();
    for (const std::string &table : m_choices.recentTables)
        m_address->addItem(utf8(table));
    m_matchmaker->setRememberedMatchmaker(utf8(m_choices.matchmaker));
}

void PlayWithOthersDialog::setHostedAddresses(const QStringList &addresses)
{
    m_hosted->setText(QStringLiteral("Others can join this table at: ") + addresses.join(QStringLiteral(", ")));
    m_hosted->setVisible(!addresses.isEmpty());
}

void PlayWithOthersDialog::offerRetry(const QString &name, const QString &address)
{
    if (m_name->text().trimmed().isEmpty())
        m_name->setText(name);
    m_address->setCurrentText(address);
}

void PlayWithOthersDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A hidden dialog keeps its last focus widget, often the Close button it was closed with.
    m_name->setFocus();
    if (m_finderStarted)
        return;
    m_finderStarted = true;
    if (!m_finder->listen(m_finderPort))
        say(QStringLiteral("Tables on this network cannot be found: another program holds port %1.")
                .arg(m_finderPort));
}

void PlayWithOthersDialog::showTables()
{
    m_tables->clear();
    for (const FoundTable &found : m_finder->tables()) {
        const net::TableAnnouncement &t = found.table;
        auto *item = new QTreeWidgetItem(m_tables);
        item->setText(TableColumn, utf8(t.name.empty() ? found.address : t.name));
        item->setText(OwnerColumn, utf8(t.owner));
        item->setText(PlayersColumn, QStringLiteral("%1 of %2").arg(t.players).arg(PlayerSeatCount));
        item->setText(WatchersColumn, QString::number(t.watchers));
        item->setText(GameColumn, t.playing ? QStringLiteral("playing") : QStringLiteral("waiting"));
        item->setData(TableColumn, AddressRole,
                      utf8(tableAddressText({found.address, t.port}, GamePort)));
    }
}

void PlayWithOthersDialog::hostClicked()
{
    m_choices.announce = m_announce->isChecked();
    launch(hostArguments(m_name->text().toStdString()), {});
}

void PlayWithOthersDialog::joinClicked()
{
    std::string address = m_address->currentText().trimmed().toStdString();
    // A table code is the address itself, written for people.
    if (looksLikeTableCode(address)) {
        const TableCodeReading reading = readTableCode(address);
        if (!reading.address) {
            say(utf8(tableCodeErrorText(reading)));
            return;
        }
        address = tableAddressText(*reading.address, GamePort);
    }
    launch(joinArguments(m_name->text().toStdString(), address), address);
}

void PlayWithOthersDialog::matchTableFound(const TableOffer &offer, bool privateTable)
{
    const std::string address = tableAddressText(offer.address, GamePort);
    if (privateTable) {
        m_choices.privateTableAddress = address;
        // A table behind a host name has no code: its address is what friends type.
        m_choices.privateTableCode = offer.code.empty() ? address : offer.code;
    }
    launch(joinArguments(m_name->text().toStdString(), address), address);
}

std::string PlayWithOthersDialog::privateTableCode(const std::string &joined) const
{
    return !joined.empty() && joined == m_choices.privateTableAddress ? m_choices.privateTableCode : std::string();
}

void PlayWithOthersDialog::tableClicked(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const std::string address = item->data(TableColumn, AddressRole).toString().toStdString();
    launch(joinArguments(m_name->text().toStdString(), address), address);
}

void PlayWithOthersDialog::launch(const std::optional<std::vector<std::string>> &arguments, const std::string &joined)
{
    if (!arguments) {
        say(m_name->text().trimmed().isEmpty() || m_name->text().trimmed().startsWith(QLatin1Char('-'))
                ? QStringLiteral("Type your name first (it may not start with '-').")
                : QStringLiteral("That is no table address: type host, host:port or [IPv6]:port."));
        return;
    }
    m_choices.name = m_name->text().trimmed().toStdString();
    m_choices.matchmaker = m_matchmaker->matchmakerToRemember().toStdString();
    if (!joined.empty())
        m_choices.rememberTable(joined);
    if (!m_choicesFile.empty() && !saveLobbyChoices(m_choicesFile, m_choices))
        say(QStringLiteral("Your choices could not be kept in ")
            + QString::fromStdU16String(m_choicesFile.u16string()));
    QStringList list;
    for (const std::string &argument : *arguments)
        list << utf8(argument);
    Q_EMIT launchRequested(list);
}

void PlayWithOthersDialog::say(const QString &text)
{
    m_status->setText(text);
}

} // namespace zz
