#include "helpwindow.h"

#include "ui/escapekey.h"
#include "ui/tiledlook.h"
#include "core/names.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

namespace {

const char HowToPlay[] =
    "How to play\n"
    "\n"
    "Each round shows a start word and an end word of the same length: three, four or five letters.\n"
    "\n"
    "Build a ladder from the start word to the end word. Type a word in the word box and press Enter. "
    "Each word must be a real word of the same length that changes exactly one letter of the word before it. "
    "The host checks every word at once: an accepted word fills the next box of your ladder, a refused one "
    "is explained in the status line.\n"
    "\n"
    "Reach the end word within twenty words before the clock runs out. A finished ladder scores a bonus for "
    "every box it left empty and a time bonus for finishing fast. The results also show a completion bonus of "
    "50 for every finished ladder; it is for the record and is not added to the score.\n"
    "\n"
    "Every seated player plays the same round at the same time. When all have finished, or the clock has run "
    "out, the scores are posted and the next round starts shortly after. The first player whose score passes "
    "the target, with nobody level, wins the game.\n"
    "\n"
    "Around the game you can chat with the table, send phrases and sounds, or sit a round out with Just Watch. "
    "The table's owner starts each game with Start Game: the player who hosts the table, or, on a table run "
    "by a server, the first player to join it and, once that player leaves, the player in the lowest seat.\n";

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QString::fromUtf8(caption::Help));
    ui::tileBackground(*this);

    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("helptext"));
    text->setAccessibleName(QStringLiteral("How to play"));
    text->setReadOnly(true);
    text->setPlainText(QString::fromUtf8(HowToPlay));

    auto *close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    ui::escapeClicks(*close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(520, 420);
}

} // namespace zz
