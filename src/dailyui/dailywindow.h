#pragma once
// The daily ladder's window: today's puzzle or a past one, played alone with
// no host and no clock. The rules live in daily/; this window shows them,
// keeps the results file and says every verdict through an accessible status.
#include "daily/dailygame.h"
#include "daily/dailystats.h"

#include <QWidget>

#include <array>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zz {

class Dictionary;
class DailySchedule;
class RungDelegate;
class WordGraph;

class DailyWindow : public QWidget
{
    Q_OBJECT
public:
    using Clock = std::function<std::time_t()>;

    // The schedule, dictionary and round words must outlive the window; the
    // round words give the shortest ladders shown at the end.
    DailyWindow(const DailySchedule &schedule, const Dictionary &dictionary, std::vector<std::string> roundWords,
                QWidget *parent = nullptr);
    ~DailyWindow() override;

    // Where the results are kept; read at once. Without a file nothing is saved.
    void setResultsFile(std::filesystem::path file);
    // Tests set the time; the game uses the system clock.
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // Opens today's puzzle (or the one in play, if it is today's) and shows the window.
    void openToday();
    // Opens an earlier day; a future day or one outside the schedule is refused.
    bool openDay(int number);

    int today() const;
    const DailyGame *game() const { return m_game.get(); }
    const DailyRecords &records() const { return m_records; }

    void submitWord();
    void undoRung();
    void startOver();
    void giveUp();
    void copyResult();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBody();
    QPushButton *addButton(const QString &caption, const QString &name, const QString &description);
    void fillDays();
    void showGame();
    void showResult();
    void say(const QString &text);
    void keep();
    const WordGraph &graphFor(std::size_t length);

    const DailySchedule &m_schedule;
    const Dictionary &m_dictionary;
    std::vector<std::string> m_roundWords;
    std::array<std::unique_ptr<WordGraph>, 2> m_graphs;   // 4 and 5 letters, made when first needed
    Clock m_clock = [] { return std::time(nullptr); };
    std::filesystem::path m_file;
    DailyRecords m_records;
    bool m_saveAllowed = false;
    QString m_loadReport;   // said once, when the window is next shown
    std::unique_ptr<DailyGame> m_game;

    QLabel *m_title = nullptr;
    QComboBox *m_days = nullptr;
    QLabel *m_start = nullptr;
    QListWidget *m_rungs = nullptr;
    RungDelegate *m_delegate = nullptr;
    QLineEdit *m_word = nullptr;
    QPushButton *m_add = nullptr;
    QLabel *m_end = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_undo = nullptr;
    QPushButton *m_startOver = nullptr;
    QPushButton *m_giveUp = nullptr;
    QLabel *m_result = nullptr;
    QPushButton *m_copy = nullptr;
};

} // namespace zz
