// What a screen reader hears of a round without moving the focus, in order,
// read from the status object's accessible name at each announcement.
#include "client/accessibility/announcer.h"
#include "tablefixture.h"

#include <QAccessible>

using namespace zz;
using namespace zz::test;

namespace {

class Announcements : public TableTest
{
protected:
    void SetUp() override
    {
        TableTest::SetUp();
        auto *announcer = window.findChild<Announcer *>();
        ASSERT_TRUE(announcer);
        // What a reader hears is the status object's name as it changes.
        QObject::connect(announcer, &Announcer::announced, &window, [this, announcer] {
            heard << QAccessible::queryAccessibleInterface(announcer)->text(QAccessible::Name);
        });
    }

    QStringList heard;
};

TEST_F(Announcements, OneRoundInOrder)
{
    seat(1, "Ann");
    handle({"CMD_newplayerinfo+2+Klot", "CMD_newplayerinfo+3+Bo", "CMD_startgame+Ann+1000+120+",
            "CMD_roundstart+1+pest+vast+", "CMD_nextplayer+1+", "CMD_goodword+1+past+1+",
            "CMD_goodword+2+post+1+",   // another seat's verdict is not ours to hear
            "CMD_invalidword+1+vxst+2+", "CMD_invalidword+1+vasty+1+", "CMD_invalidword+2+xx+2+",
            "CMD_chat+2+Klot chats: nice one|clNavy", "CMD_completed+2+3+", "CMD_goodword+1+vast+2+",
            "CMD_completed+1+2+", "CMD_postscores+1+240+100+90+50+2+2+180+80+100+0+3",
            "CMD_playerdisconnected+2+Klot",   // the seat's quiet name leaves without a word
            "CMD_playerdisconnected+3+Bo", "CMD_winner+Ann+"});

    const QStringList expected{
        QStringLiteral("Klot arrived"),
        QStringLiteral("Bo arrived"),
        QStringLiteral("Round 1: from PEST to VAST"),
        QStringLiteral("PAST accepted"),
        QStringLiteral("VXST is not a word"),
        QStringLiteral("VASTY is not the correct length"),
        QStringLiteral("Klot chats: nice one"),
        QStringLiteral("Klot completed the ladder"),
        QStringLiteral("VAST accepted"),
        QStringLiteral("You Completed the Link"),
        QStringLiteral("Results: You 240 points, Klot 180 points"),
        QStringLiteral("Bo left"),
        QStringLiteral("You have Won the Game!"),
    };
    EXPECT_EQ(heard.join(QLatin1Char('\n')).toStdString(), expected.join(QLatin1Char('\n')).toStdString());
}

} // namespace
