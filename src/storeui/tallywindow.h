#pragma once
// The tally list: the local player's record of games and wins and the
// head-to-head records against the players the user chose to follow.
#include "storeui/tallyrecorder.h"
#include "store/tallytable.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QMessageBox;

namespace zz {

class TallyWindow : public QWidget, public TallyRecorder
{
    Q_OBJECT
public:
    // The names on the board's seats 1..6 and the own seat, read whenever the
    // "Players In Current Game" list is refreshed.
    using SeatName = std::function<QString(int seat)>;
    using OwnSeat = std::function<int()>;

    // An in-memory tally until openFile() gives it a file.
    explicit TallyWindow(QWidget *parent = nullptr);
    // Saves to the opened file, when there is one and it may be written.
    ~TallyWindow() override;

    // Loads the tally from file and saves there from now on. A damaged file is
    // renamed aside, reported in a message box once the event loop runs, and
    // the tally starts empty. False when the file was damaged.
    bool openFile(const std::filesystem::path &file);
    // Writes the tally to its file; false when that failed or there is no file.
    bool save();

    void setSeatSource(SeatName seatName, OwnSeat ownSeat);

    // Counts a finished game (the winner's name, or "addtomine") and saves.
    void addGame(const QString &winner) override;
    // The winners passed to addGame in this run, in order.
    const QStringList &games() const { return m_games; }
    const TallyTable &table() const { return m_table; }

    // The other players on the board, as "Players In Current Game" lists them.
    QStringList playersInGame() const;
    void loadCheckList();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildBody();
    void showTally();
    void showOwnRow();
    void showDetail();
    void clearDetail();
    void reportLoadError(const QString &error, const QString &keptAs);
    void checkListClickCheck(QListWidgetItem *item);
    void listboxTallyClickCheck(QListWidgetItem *item);
    void removeConfirmed(int row, const std::string &name, bool yes);
    void buttonResetClick();
    void resetConfirmed();
    QMessageBox *confirm(const QString &question);

    TallyTable m_table;
    std::filesystem::path m_file;
    bool m_saveAllowed = false;
    SeatName m_seatName;
    OwnSeat m_ownSeat;
    QStringList m_games;

    QListWidget *m_checkList = nullptr; // children of this window
    QListWidget *m_tallied = nullptr;
    QLabel *m_detailHeading = nullptr;
    QLabel *m_winsCaption = nullptr;
    QPointer<QMessageBox> m_loadErrorBox;
};

} // namespace zz
