// When the hosting player may add a computer player: the Game menu entry
// follows the seats the host announces.
#include "tablefixture.h"

#include <QAction>

namespace zz::test {
namespace {

class ComputerEntry : public TableTest
{
protected:
    bool enabled() const { return window.findChild<QAction *>(QStringLiteral("AddComputerPlayer1"))->isEnabled(); }
};

TEST_F(ComputerEntry, EnabledForTheHostWhileAPlayerSeatIsFree)
{
    window.table().setHosting(true);
    EXPECT_FALSE(enabled());   // not logged in yet
    seat(1, "Ann");
    EXPECT_TRUE(enabled());

    handle({"CMD_newplayerinfo+2+Bo", "CMD_newplayerinfo+3+Cy", "CMD_newplayerinfo+4+Di", "CMD_newplayerinfo+5+Ed"});
    EXPECT_TRUE(enabled());
    handle({"CMD_newplayerinfo+6+Flo"});
    EXPECT_FALSE(enabled());
    handle({"CMD_newplayerinfo+7+Gus"});   // a watcher frees no player seat
    EXPECT_FALSE(enabled());
    handle({"CMD_playerdisconnected+4+Di"});
    EXPECT_TRUE(enabled());
}

TEST_F(ComputerEntry, AJoinedPlayerNeverAddsOne)
{
    seat(2, "Bo");
    EXPECT_FALSE(enabled());
    handle({"CMD_playerdisconnected+3+Cy"});
    EXPECT_FALSE(enabled());
}

// A headless table has no hosting window: the first to join, in seat 1, owns it.
TEST_F(ComputerEntry, AJoinedPlayerInSeatOneOwnsTheTable)
{
    seat(1, "Dee");
    EXPECT_TRUE(window.table().hosting());
    EXPECT_TRUE(enabled());
    EXPECT_TRUE(window.findChild<QAction *>(QStringLiteral("StartGame1"))->isEnabled());
    EXPECT_TRUE(spyList->findChild<QAction *>(QStringLiteral("popup_kickhim"))->isEnabled());
}

} // namespace
} // namespace zz::test
