#include "storeui/tallywindow.h"

#include "ui/escapekey.h"
#include "ui/tiledlook.h"
#include "session/wiretext.h"
#include "core/names.h"
#include "store/tallyfile.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace zz {

namespace {

namespace text {
constexpr std::string_view TotalGames = "Total Games:";
constexpr std::string_view YourWinsOwn = "Your Wins";
constexpr std::string_view Var3 = "Var3:";
constexpr std::string_view Var4 = "Var4:";
constexpr std::string_view PlayersInGame = "Players In Current Game";
constexpr std::string_view PlayersTallied = "Players Being Tallied";
constexpr std::string_view NumberOfGames = "Number of Games";
constexpr std::string_view Total = "Total";
constexpr std::string_view Session = "Session";
constexpr std::string_view YourWins = "Your Wins:";
constexpr std::string_view NeitherWon = "Neither Won:";
constexpr std::string_view WinsSuffix = " Wins:";
constexpr std::string_view TallySuffix = "'s Tally";
constexpr std::string_view ResetTally = "Reset Tally";
constexpr std::string_view Confirm = "Confirm";
constexpr std::string_view Yes = "&Yes";
constexpr std::string_view No = "&No";
constexpr std::string_view DeletePrefix = "This will delete ";
constexpr std::string_view DeleteSuffix = "'s Tally, Are you want to delete it?"; // wording as the game always had it
constexpr std::string_view ResetQuestion = "Are you sure you want to reset the Tally?";
constexpr std::string_view KeptAs = "The damaged tally file was kept as %1. A new tally has been started.";
constexpr std::string_view NotMoved = "The damaged tally file could not be moved aside; it is left as it was "
                                      "and this run will not save the tally.";
constexpr std::string_view Zero = "0";
} // namespace text

QLabel *namedLabel(const QString &name, std::string_view caption, QWidget *parent)
{
    auto *label = new QLabel(fromAscii(caption), parent);
    label->setObjectName(name);
    return label;
}

QLabel *heading(std::string_view caption, QWidget *parent)
{
    auto *label = new QLabel(fromAscii(caption), parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

TallyWindow::TallyWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("tallylist"));
    setWindowTitle(fromAscii(caption::TallyList));
    ui::tileBackground(*this);
    buildBody();
    showTally();
}

TallyWindow::~TallyWindow()
{
    save();
}

bool TallyWindow::openFile(const std::filesystem::path &file)
{
    TallyLoad load = loadTally(file);
    m_file = file;
    m_saveAllowed = load.saveAllowed;
    m_table = std::move(load.table);
    showTally();
    if (load.error.empty())
        return true;
    const QString keptAs = load.keptAs.empty() ? QString() : QFile::decodeName(load.keptAs.string().c_str());
    QTimer::singleShot(0, this, [this, error = QString::fromLocal8Bit(load.error.c_str()), keptAs] {
        reportLoadError(error, keptAs);
    });
    return false;
}

bool TallyWindow::save()
{
    return !m_file.empty() && m_saveAllowed && saveTally(m_file, m_table);
}

void TallyWindow::setSeatSource(SeatName seatName, OwnSeat ownSeat)
{
    m_seatName = std::move(seatName);
    m_ownSeat = std::move(ownSeat);
}

void TallyWindow::addGame(const QString &winner)
{
    m_games.append(winner);
    loadCheckList();
    std::vector<std::string> players;
    for (const QString &name : playersInGame())
        players.push_back(toWire(name));
    m_table.addGame(toWire(winner), players);
    showOwnRow();
    showDetail();
    save(); // a crash later in the run must not lose the game
}

QStringList TallyWindow::playersInGame() const
{
    QStringList names;
    if (!m_seatName)
        return names;
    const int own = m_ownSeat ? m_ownSeat() : 0;
    for (int seat = 1; seat <= PlayerSeatCount; ++seat) {
        const QString name = m_seatName(seat);
        if (seat != own && !name.isEmpty() && name != fromAscii(WaitingSeat))
            names.append(name);
    }
    return names;
}

void TallyWindow::loadCheckList()
{
    const QSignalBlocker quiet(m_checkList);
    m_checkList->clear();
    for (const QString &name : playersInGame()) {
        auto *item = new QListWidgetItem(name, m_checkList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(m_table.findPlayer(toWire(name)) ? Qt::Checked : Qt::Unchecked);
    }
}

void TallyWindow::showEvent(QShowEvent *event)
{
    loadCheckList();
    QWidget::showEvent(event);
}

void TallyWindow::showTally()
{
    showOwnRow();
    const QSignalBlocker quiet(m_tallied);
    m_tallied->clear();
    for (int row = 1; row < m_table.rowCount(); ++row) {
        auto *item = new QListWidgetItem(fromWire(m_table.cell(TallyTable::Name, row)), m_tallied);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    clearDetail();
}

void TallyWindow::showOwnRow()
{
    for (int column = 1; column <= 4; ++column)
        if (auto *label = findChild<QLabel *>(QStringLiteral("mylabel_%1").arg(column)))
            label->setText(fromWire(m_table.cell(column, 0)));
}

void TallyWindow::showDetail()
{
    const int row = m_tallied->currentRow() + 1;
    if (row < 1 || row >= m_table.rowCount())
        return;
    const QString name = fromWire(m_table.cell(TallyTable::Name, row));
    m_detailHeading->setText(name + fromAscii(text::TallySuffix));
    m_winsCaption->setText(name + fromAscii(text::WinsSuffix));
    for (int column = 1; column < TallyTable::ColumnCount; ++column)
        if (auto *label = findChild<QLabel *>(QStringLiteral("label_%1").arg(column)))
            label->setText(fromWire(m_table.cell(column, row)));
}

void TallyWindow::clearDetail()
{
    m_detailHeading->clear();
    m_winsCaption->setText(fromAscii(text::WinsSuffix).trimmed());
    for (int column = 1; column < TallyTable::ColumnCount; ++column)
        if (auto *label = findChild<QLabel *>(QStringLiteral("label_%1").arg(column)))
            label->setText(fromAscii(text::Zero));
}

void TallyWindow::reportLoadError(const QString &error, const QString &keptAs)
{
    if (m_loadErrorBox)
        return;
    QWidget *owner = parentWidget() ? parentWidget() : this;
    m_loadErrorBox = new QMessageBox(QMessageBox::Warning, fromAscii(ApplicationTitle), error, QMessageBox::Ok, owner);
    m_loadErrorBox->setObjectName(QStringLiteral("tally_loaderror"));
    m_loadErrorBox->setInformativeText(keptAs.isEmpty() ? fromAscii(text::NotMoved) : fromAscii(text::KeptAs).arg(keptAs));
    m_loadErrorBox->setAttribute(Qt::WA_DeleteOnClose);
    m_loadErrorBox->setWindowModality(Qt::NonModal);
    m_loadErrorBox->show();
}

void TallyWindow::checkListClickCheck(QListWidgetItem *item)
{
    // Clearing a box stops nothing: only the other list removes a player.
    if (!item || item->checkState() != Qt::Checked)
        return;
    const std::string name = toWire(item->text());
    if (!m_table.addPlayer(name))
        return;
    const QSignalBlocker quiet(m_tallied);
    auto *added = new QListWidgetItem(fromWire(name), m_tallied);
    added->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    added->setCheckState(Qt::Checked);
    save();
}

void TallyWindow::listboxTallyClickCheck(QListWidgetItem *item)
{
    if (!item || item->checkState() != Qt::Unchecked)
        return;
    const int row = m_tallied->row(item) + 1;
    const std::string name = m_table.cell(TallyTable::Name, row);
    QMessageBox *box = confirm(fromAscii(text::DeletePrefix) + fromWire(name) + fromAscii(text::DeleteSuffix));
    connect(box, &QMessageBox::finished, this, [this, box, row, name] {
        removeConfirmed(row, name, box->buttonRole(box->clickedButton()) == QMessageBox::YesRole);
    });
}

void TallyWindow::removeConfirmed(int row, const std::string &name, bool yes)
{
    QListWidgetItem *item = m_tallied->item(row - 1);
    if (!item || m_table.cell(TallyTable::Name, row) != name)
        return; // the list changed meanwhile
    if (!yes) {
        const QSignalBlocker quiet(m_tallied);
        item->setCheckState(Qt::Checked);
        return;
    }
    const bool shown = m_tallied->currentRow() == row - 1;
    m_table.removePlayer(row);
    {
        const QSignalBlocker quiet(m_tallied);
        const std::unique_ptr<QListWidgetItem> gone(m_tallied->takeItem(row - 1));
        if (shown)
            m_tallied->setCurrentRow(-1);
    }
    if (shown)
        clearDetail();
    loadCheckList(); // the player's box in the game list is no longer checked
    save();
}

void TallyWindow::buttonResetClick()
{
    QMessageBox *box = confirm(fromAscii(text::ResetQuestion));
    connect(box, &QMessageBox::finished, this, [this, box] {
        if (box->buttonRole(box->clickedButton()) == QMessageBox::YesRole)
            resetConfirmed();
    });
}

void TallyWindow::resetConfirmed()
{
    m_table.reset();
    showTally();
    loadCheckList();
    save();
}

QMessageBox *TallyWindow::confirm(const QString &question)
{
    auto *box = new QMessageBox(QMessageBox::Question, fromAscii(text::Confirm), question, QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("confirm"));
    box->addButton(fromAscii(text::Yes), QMessageBox::YesRole);
    QPushButton *no = box->addButton(fromAscii(text::No), QMessageBox::NoRole);
    box->setDefaultButton(no);
    box->setEscapeButton(no);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

void TallyWindow::buildBody()
{
    auto *own = new QGridLayout;
    own->addWidget(heading(label::YourTotalTally, this), 0, 0, 1, 2);
    const std::string_view ownCaptions[] = {text::TotalGames, text::YourWinsOwn, text::Var3, text::Var4};
    for (int column = 1; column <= 4; ++column) {
        auto *caption = new QLabel(fromAscii(ownCaptions[column - 1]), this);
        auto *value = namedLabel(QStringLiteral("mylabel_%1").arg(column), text::Zero, this);
        own->addWidget(caption, column, 0);
        own->addWidget(value, column, 1);
        // Columns 3 and 4 are kept in the file but never counted.
        caption->setVisible(column <= 2);
        value->setVisible(column <= 2);
    }

    m_checkList = new QListWidget(this);
    m_checkList->setObjectName(QStringLiteral("checklist"));
    m_checkList->setAccessibleName(fromAscii(text::PlayersInGame));
    m_tallied = new QListWidget(this);
    m_tallied->setObjectName(QStringLiteral("listbox_tally"));
    m_tallied->setAccessibleName(fromAscii(text::PlayersTallied));

    auto *left = new QVBoxLayout;
    left->addLayout(own);
    left->addSpacing(8);
    left->addWidget(heading(text::PlayersInGame, this));
    left->addWidget(m_checkList, 1);

    auto *middle = new QVBoxLayout;
    middle->addWidget(heading(text::PlayersTallied, this));
    middle->addWidget(m_tallied, 1);

    m_detailHeading = namedLabel(QStringLiteral("label_tallyname"), {}, this);
    QFont bold = m_detailHeading->font();
    bold.setBold(true);
    m_detailHeading->setFont(bold);
    m_winsCaption = namedLabel(QStringLiteral("label_playerwins"), {}, this);
    auto *detail = new QGridLayout;
    detail->addWidget(m_detailHeading, 0, 0, 1, 3);
    detail->addWidget(new QLabel(fromAscii(text::Total), this), 1, 1);
    detail->addWidget(new QLabel(fromAscii(text::Session), this), 1, 2);
    QLabel *rowCaptions[] = {new QLabel(fromAscii(text::NumberOfGames), this), m_winsCaption,
                             new QLabel(fromAscii(text::YourWins), this), new QLabel(fromAscii(text::NeitherWon), this)};
    for (int row = 0; row < 4; ++row) {
        detail->addWidget(rowCaptions[row], row + 2, 0);
        detail->addWidget(namedLabel(QStringLiteral("label_%1").arg(row + 1), text::Zero, this), row + 2, 1);
        detail->addWidget(namedLabel(QStringLiteral("label_%1").arg(row + 5), text::Zero, this), row + 2, 2);
    }
    auto *right = new QVBoxLayout;
    right->addLayout(detail);
    right->addStretch(1);

    auto *reset = new QPushButton(fromAscii(text::ResetTally), this);
    reset->setObjectName(QStringLiteral("button_reset"));
    auto *done = new QPushButton(fromAscii(label::Done), this);
    done->setObjectName(QStringLiteral("button_done"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(reset);
    buttons->addWidget(done);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(middle, 1);
    columns->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    resize(560, 300);

    connect(m_checkList, &QListWidget::itemChanged, this, &TallyWindow::checkListClickCheck);
    connect(m_tallied, &QListWidget::itemChanged, this, &TallyWindow::listboxTallyClickCheck);
    connect(m_tallied, &QListWidget::currentRowChanged, this, &TallyWindow::showDetail);
    connect(reset, &QPushButton::clicked, this, &TallyWindow::buttonResetClick);
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    ui::escapeClicks(*done);
}

} // namespace zz
