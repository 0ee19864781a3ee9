#include "dailyui/dailywindow.h"

#include "daily/dailyfile.h"
#include "daily/schedule.h"
#include "daily/wordgraph.h"
#include "dailyui/rungdelegate.h"
#include "ui/escapekey.h"
#include "ui/tiledlook.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace zz {

namespace {

QLabel *wordLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(ui::boldArial(26));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

DailyWindow::DailyWindow(const DailySchedule &schedule, const Dictionary &dictionary,
                         std::vector<std::string> roundWords, QWidget *parent)
    : QWidget(parent, Qt::Window), m_schedule(schedule), m_dictionary(dictionary), m_roundWords(std::move(roundWords))
{
    setObjectName(QStringLiteral("daily"));
    setWindowTitle(QStringLiteral("Daily Ladder"));
    setAccessibleName(QStringLiteral("Daily Ladder"));
    ui::tileBackground(*this);
    buildBody();
    resize(420, 640);
}

DailyWindow::~DailyWindow() = default;

QPushButton *DailyWindow::addButton(const QString &caption, const QString &name, const QString &description)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAccessibleDescription(description);
    button->setAutoDefault(false);
    return button;
}

// Made in reading order, which is also the tab order.
void DailyWindow::buildBody()
{
    auto *layout = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("label_dailytitle"));
    m_title->setFont(ui::boldArial(16));
    layout->addWidget(m_title);

    auto *dayRow = new QHBoxLayout;
    auto *dayLabel = new QLabel(QStringLiteral("&Day:"), this);
    m_days = new QComboBox(this);
    m_days->setObjectName(QStringLiteral("combo_dailyday"));
    m_days->setAccessibleName(QStringLiteral("Day"));
    m_days->view()->setAccessibleName(QStringLiteral("Days"));
    m_days->setAccessibleDescription(QStringLiteral("Today's puzzle or an earlier one; earlier days never change a streak."));
    dayLabel->setBuddy(m_days);
    dayRow->addWidget(dayLabel);
    dayRow->addWidget(m_days, 1);
    layout->addLayout(dayRow);
    connect(m_days, &QComboBox::activated, this, [this](int row) { openDay(m_days->itemData(row).toInt()); });

    m_start = wordLabel(QStringLiteral("label_dailystart"), this);
    layout->addWidget(m_start);
    m_rungs = new QListWidget(this);
    m_rungs->setObjectName(QStringLiteral("list_dailyrungs"));
    m_rungs->setAccessibleName(QStringLiteral("Your ladder"));
    m_rungs->setAccessibleDescription(QStringLiteral("The words after the start word; filled, underlined letters "
                                                     "are already the end word's letter in that place."));
    m_delegate = new RungDelegate(m_rungs);
    m_rungs->setItemDelegate(m_delegate);
    layout->addWidget(m_rungs, 1);

    auto *wordRow = new QHBoxLayout;
    auto *wordLabelText = new QLabel(QStringLiteral("&Next word:"), this);
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("edit_dailyword"));
    m_word->setAccessibleName(QStringLiteral("Next word"));
    m_word->setAccessibleDescription(QStringLiteral("Change one letter of the last word and press Enter."));
    m_word->setMaxLength(14);
    m_word->installEventFilter(this);
    wordLabelText->setBuddy(m_word);
    m_add = addButton(QStringLiteral("Add"), QStringLiteral("button_dailyadd"),
                      QStringLiteral("Adds the word in the box to the ladder, as Enter does."));
    wordRow->addWidget(wordLabelText);
    wordRow->addWidget(m_word, 1);
    wordRow->addWidget(m_add);
    layout->addLayout(wordRow);
    connect(m_word, &QLineEdit::returnPressed, this, &DailyWindow::submitWord);
    connect(m_add, &QPushButton::clicked, this, &DailyWindow::submitWord);

    m_end = wordLabel(QStringLiteral("label_dailyend"), this);
    layout->addWidget(m_end);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("label_dailystatus"));
    m_status->setWordWrap(true);
    m_status->setAccessibleDescription(QStringLiteral("What became of the last word"));
    layout->addWidget(m_status);

    auto *buttons = new QHBoxLayout;
    m_undo = addButton(QStringLiteral("&Undo"), QStringLiteral("button_dailyundo"),
                       QStringLiteral("Removes the last word of the ladder (Ctrl+Z)."));
    m_startOver = addButton(QStringLiteral("Start &Over"), QStringLiteral("button_dailystartover"),
                            QStringLiteral("Clears the ladder."));
    m_giveUp = addButton(QStringLiteral("&Give Up"), QStringLiteral("button_dailygiveup"),
                         QStringLiteral("Shows the shortest ladders; the day counts as not solved."));
    for (QPushButton *button : {m_undo, m_startOver, m_giveUp})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(m_undo, &QPushButton::clicked, this, &DailyWindow::undoRung);
    connect(m_startOver, &QPushButton::clicked, this, &DailyWindow::startOver);
    connect(m_giveUp, &QPushButton::clicked, this, &DailyWindow::giveUp);
    auto *undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, this, &DailyWindow::undoRung);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("label_dailyresult"));
    m_result->setWordWrap(true);
    m_result->setAccessibleDescription(QStringLiteral("Your result, the shortest ladders and your statistics"));
    // Reachable with Tab, so the result can be read like any control.
    m_result->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    layout->addWidget(m_result);

    auto *closeRow = new QHBoxLayout;
    m_copy = addButton(QStringLiteral("&Copy Result"), QStringLiteral("button_dailycopy"),
                       QStringLiteral("Puts your result on the clipboard without giving any word away (Alt+C)."));
    auto *close = addButton(QStringLiteral("Close"), QStringLiteral("button_dailyclose"), QString());
    closeRow->addWidget(m_copy);
    closeRow->addStretch(1);
    closeRow->addWidget(close);
    layout->addLayout(closeRow);
    connect(m_copy, &QPushButton::clicked, this, &DailyWindow::copyResult);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    ui::escapeClicks(*close);
}

// Ctrl+Z in the box takes a rung back, not a letter: the box's own undo
// would otherwise swallow the key.
bool DailyWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_word && event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo)) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DailyWindow::setResultsFile(std::filesystem::path file)
{
    m_file = std::move(file);
    DailyLoad load = loadDailyRecords(m_file);
    m_records = std::move(load.records);
    m_saveAllowed = load.saveAllowed;
    if (load.error.empty())
        return;
    m_loadReport = QString::fromStdString(load.error) + QLatin1Char('\n')
        + (load.keptAs.empty()
               ? QStringLiteral("It could not be moved aside; it is left as it was and this run will not save "
                                "your daily results.")
               : QStringLiteral("It was kept as %1 and new results were started.")
                     .arg(QString::fromStdString(load.keptAs.string())));
}

void DailyWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_loadReport.isEmpty())
        return;
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), m_loadReport, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("box_dailydamaged"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();   // not exec(): no nested event loop
    m_loadReport.clear();
}

int DailyWindow::today() const
{
    return dailyNumberOf(localDate(m_clock()));
}

void DailyWindow::openToday()
{
    if (!m_game || m_game->puzzle().number != today()) {
        if (!openDay(today())) {
            m_game.reset();
            fillDays();
            showGame();
            say(QStringLiteral("There is no puzzle for today in this version of the game."));
        }
    }
    show();
    raise();
    activateWindow();
    if (m_word->isEnabled())
        m_word->setFocus();
    else
        (m_copy->isEnabled() ? static_cast<QWidget *>(m_copy) : m_days)->setFocus();
}

bool DailyWindow::openDay(int number)
{
    const std::optional<DailyPuzzle> puzzle = m_schedule.puzzle(number);
    if (!puzzle || number > today())
        return false;
    m_game = std::make_unique<DailyGame>(*puzzle, m_dictionary);
    if (const auto kept = m_records.days.find(number); kept != m_records.days.end()) {
        m_game->replay(kept->second.rungs);
        if (kept->second.outcome == DayRecord::Outcome::GaveUp)
            m_game->giveUp();
    }
    fillDays();
    showGame();
    say(QString());
    return true;
}

void DailyWindow::fillDays()
{
    const QSignalBlocker quiet(m_days);
    m_days->clear();
    const int last = std::min(today(), static_cast<int>(m_schedule.days().size()));
    for (int number = last; number >= 1; --number) {
        const DailyPuzzle &day = m_schedule.days()[static_cast<std::size_t>(number - 1)];
        QString text = QStringLiteral("#%1  %2").arg(number).arg(QString::fromStdString(formatDate(day.date)));
        if (number == today())
            text += QStringLiteral("  (today)");
        if (const auto kept = m_records.days.find(number); kept != m_records.days.end())
            text += kept->second.outcome == DayRecord::Outcome::Solved   ? QStringLiteral("  solved")
                : kept->second.outcome == DayRecord::Outcome::GaveUp ? QStringLiteral("  not solved")
                                                                     : QStringLiteral("  in progress");
        m_days->addItem(text, number);
        if (m_game && m_game->puzzle().number == number)
            m_days->setCurrentIndex(m_days->count() - 1);
    }
}

const WordGraph &DailyWindow::graphFor(std::size_t length)
{
    std::unique_ptr<WordGraph> &graph = m_graphs[length == 5 ? 1 : 0];
    if (!graph)
        graph = std::make_unique<WordGraph>(m_roundWords, length);
    return *graph;
}

void DailyWindow::say(const QString &text)
{
    m_status->setText(text);
    // A new name is announced by Qt itself; the same verdict twice must be said again.
    const bool same = m_status->accessibleName() == text;
    m_status->setAccessibleName(text);
    if (same && !text.isEmpty()) {
        QAccessibleEvent changed(m_status, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

} // namespace zz
