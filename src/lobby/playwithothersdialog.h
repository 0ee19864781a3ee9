#pragma once
// "Play With Others": host a table, join one by its address or from the
// tables joined before, or pick one of the tables announced on this
// network. Choosing asks for the game to start again with the launch
// parameters for it.
#include "lobby/lobbychoices.h"

#include <QDialog>
#include <QStringList>

#include <filesystem>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace zz {

class MatchmakerPanel;
class TableFinder;
struct TableOffer;

class PlayWithOthersDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PlayWithOthersDialog(QWidget *parent = nullptr);
    ~PlayWithOthersDialog() override;

    // Where the choices are kept; read at once.
    void setChoicesFile(std::filesystem::path file);
    const LobbyChoices &choices() const { return m_choices; }
    // The port the finder listens on once the dialog is first shown.
    void setFinderPort(std::uint16_t port) { m_finderPort = port; }
    TableFinder &finder() { return *m_finder; }
    // Shown while this window hosts a table others may join.
    void setHostedAddresses(const QStringList &addresses);
    // After a join that went wrong: the player's name, unless one is typed,
    // and the table tried, ready to try again or to change.
    void offerRetry(const QString &name, const QString &address);

    void hostClicked();
    void joinClicked();
    void tableClicked(QTreeWidgetItem *item);
    void matchTableFound(const TableOffer &offer, bool privateTable);
    // The code of the private table at the joined address, when this game asked for it.
    std::string privateTableCode(const std::string &joined) const;

Q_SIGNALS:
    // The game should close in order and start again with these parameters.
    void launchRequested(const QStringList &arguments);
    // The player asked for today's daily ladder, played alone.
    void dailyRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildHost(QWidget *page);
    void buildJoin(QWidget *page);
    void buildFinder(QWidget *page);
    void showTables();
    void launch(const std::optional<std::vector<std::string>> &arguments, const std::string &joined);
    void say(const QString &text);

    LobbyChoices m_choices;
    std::filesystem::path m_choicesFile;
    std::uint16_t m_finderPort;
    TableFinder *m_finder = nullptr;
    bool m_finderStarted = false;
    QLineEdit *m_name = nullptr;
    QCheckBox *m_announce = nullptr;
    QLabel *m_hosted = nullptr;
    QComboBox *m_address = nullptr;
    QTreeWidget *m_tables = nullptr;
    MatchmakerPanel *m_matchmaker = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace zz
