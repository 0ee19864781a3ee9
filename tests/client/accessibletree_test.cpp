// What a screen reader finds in every window: a name on everything it can
// focus or use, and the board read as seats, rungs and a clock.
#include "client/aboutdialog.h"
#include "client/gamestartdialog.h"
#include "client/helpwindow.h"
#include "daily/schedule.h"
#include "dailyui/dailywindow.h"
#include "dict/builtindata.h"
#include "lobby/playwithothersdialog.h"
#include "social/phrasesdialog.h"
#include "tablefixture.h"

#include <QAccessible>
#include <QMenu>

#include <functional>

using namespace zz;
using namespace zz::test;

namespace {

bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::MenuItem:
    case QAccessible::Link:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::PageTab:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
        return true;
    default:
        return false;
    }
}

QString describe(const QAccessibleInterface &iface)
{
    const QObject *object = iface.object();
    return QStringLiteral("%1 (role 0x%2)")
        .arg(object ? object->objectName() + QLatin1Char(' ') + QLatin1String(object->metaObject()->className())
                    : QStringLiteral("<no object>"))
        .arg(int(iface.role()), 0, 16);
}

// Walks the tree below iface; every problem found is one line of the result.
void walk(QAccessibleInterface *iface, QStringList &problems, int depth = 0)
{
    if (!iface || !iface->isValid() || depth > 40)
        return;
    const QAccessible::State state = iface->state();
    // Readers skip what is hidden, and so does the walk.
    if (state.invisible && depth > 0)
        return;
    if ((state.focusable || isInteractive(iface->role())) && iface->text(QAccessible::Name).trimmed().isEmpty())
        problems << QStringLiteral("no name: ") + describe(*iface);
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child)
            continue;
        // A reader climbs back up and counts siblings: both must agree with the way down.
        if (iface->indexOfChild(child) != i)
            problems << QStringLiteral("index %1 reads %2: ").arg(i).arg(iface->indexOfChild(child)) + describe(*child);
        walk(child, problems, depth + 1);
    }
}

QStringList problemsOf(QWidget &window)
{
    QStringList problems;
    walk(QAccessible::queryAccessibleInterface(&window), problems);
    // Menus open apart from their window; each is walked as it would open.
    for (QMenu *menu : window.findChildren<QMenu *>())
        walk(QAccessible::queryAccessibleInterface(menu), problems);
    return problems;
}

// Every window and dialog of the game; a new window adds its line here.
const struct
{
    const char *name;
    std::function<std::unique_ptr<QWidget>()> make;
} Windows[] = {
    {"game window", [] { return std::make_unique<GameWindow>(QStringList{}); }},
    {"about", [] { return std::make_unique<AboutDialog>(); }},
    {"game start", [] { return std::make_unique<GameStartDialog>(); }},
    {"help", [] { return std::make_unique<HelpWindow>(); }},
    {"shown ladder", [] { return std::make_unique<LadderDialog>(); }},
    {"phrases", [] { return std::make_unique<PhrasesDialog>(); }},
    {"spy list", [] { return std::make_unique<SpyListWindow>(); }},
    {"tally", [] { return std::make_unique<TallyWindow>(); }},
    {"play with others", [] { return std::make_unique<PlayWithOthersDialog>(); }},
    {"daily ladder", [] {
         auto window = std::make_unique<DailyWindow>(builtinSchedule(), builtinDictionary(),
                                                     std::vector<std::string>{"cold", "warm"});
         window->openDay(1);
         return window;
     }},
};

TEST(AccessibleTree, EveryControlOfEveryWindowHasAName)
{
    for (const auto &entry : Windows) {
        SCOPED_TRACE(entry.name);
        std::unique_ptr<QWidget> window = entry.make();
        window->show();
        const QStringList problems = problemsOf(*window);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    }
}

// The accessible object of a board part, found by walking down from the window.
QAccessibleInterface *findInTree(QAccessibleInterface *iface, const QString &objectName, int depth = 0)
{
    if (!iface || depth > 40)
        return nullptr;
    if (iface->object() && iface->object()->objectName() == objectName)
        return iface;
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface *found = findInTree(iface->child(i), objectName, depth + 1))
            return found;
    }
    return nullptr;
}

class BoardTree : public TableTest
{
protected:
    QString nameOf(const char *objectName)
    {
        QAccessibleInterface *iface =
            findInTree(QAccessible::queryAccessibleInterface(&window), QString::fromLatin1(objectName));
        return iface ? iface->text(QAccessible::Name) : QStringLiteral("<not in the tree>");
    }
};

TEST_F(BoardTree, SeatsRungsAndClockReadAsSentences)
{
    window.show();
    seat(1, "Ann");
    handle({"CMD_newplayerinfo+2+Klot", "CMD_startgame+Ann+1000+120+", "CMD_roundstart+1+pest+vast+",
            "CMD_nextplayer+1+", "CMD_goodword+1+past+1+", "CMD_postscores+2+290+50+140+100+4+1+40+0+0+40+1",
            "CMD_newplayerinfo+3+A+B"});

    const struct
    {
        const char *objectName;
        const char *name;
    } cases[] = {
        {"label_playername2", "Seat 2, Klot, 290 points, 4 words"},
        {"label_playername1", "Seat 1, Ann, 40 points, 1 word"},
        {"label_playername3", "Seat 3, A+B, 0 points"},   // arrived after the round: no count yet
        {"label_playername4", "Seat 4, free"},
        {"word_1", "Rung 1, past"},
        {"word_2", "Rung 2, empty"},
        {"label_word1", "Start word PEST"},
        {"label_word2", "End word VAST"},
        {"label_timer", "2:00 left"},
        {"edit_word", "Your next word"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.objectName);
        EXPECT_EQ(nameOf(c.objectName).toStdString(), c.name);
    }
    // The parts a seat speaks for are not read again on their own.
    EXPECT_EQ(nameOf("label_score2").toStdString(), "<not in the tree>");
    const QStringList problems = problemsOf(window);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

} // namespace
