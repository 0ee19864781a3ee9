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
    handle({"CMD_existingplayers+1+Hal"}); // the table's owner
    EXPECT_FALSE(enabled());
    handle({"CMD_playerdisconnected+3+Cy"});
    EXPECT_FALSE(enabled());
}

// A headless table has no hosting window: the lowest player seat in use owns
// it, as the host decides.
TEST_F(ComputerEntry, AJoinedPlayerOwnsAHeadlessTableWhenNobodySitsBeforeIt)
{
    auto startAllowed = [this] { return window.findChild<QAction *>(QStringLiteral("StartGame1"))->isEnabled(); };
    handle({"CMD_sendlogininfo+2", "CMD_newplayerinfo+2+Dee", "CMD_existingplayers+1+Ann"});
    EXPECT_FALSE(window.table().hosting());
    EXPECT_FALSE(startAllowed());
    handle({"CMD_playerdisconnected+1+Ann"});
    EXPECT_TRUE(window.table().hosting());
    EXPECT_TRUE(startAllowed());
    EXPECT_TRUE(spyList->findChild<QAction *>(QStringLiteral("popup_kickhim"))->isEnabled());
    // A computer player would be seated in seat 1, and own the table.
    EXPECT_FALSE(enabled());

    handle({"CMD_newplayerinfo+1+Cy"});
    EXPECT_FALSE(window.table().hosting());
    EXPECT_FALSE(startAllowed());
    handle({"CMD_playerdisconnected+1+Cy", "CMD_newplayerinfo+1+Dan"});
    EXPECT_FALSE(window.table().hosting());
}

TEST_F(ComputerEntry, TheFirstOnAHeadlessTableAddsThem)
{
    seat(1, "Dee");
    EXPECT_TRUE(window.table().hosting());
    EXPECT_TRUE(enabled());
}

} // namespace
} // namespace zz::test
