// Just watching and removal as the game window asks for them and shows the
// host's announcements.
#include "tablefixture.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>

using namespace zz;
using namespace zz::test;

namespace {

class WatchTest : public TableTest
{
protected:
    // A right-click on a seat's name label; returns the seat menu it opened.
    QMenu *rightClickSeat(int seat)
    {
        rightClick(control<QWidget>(QStringLiteral("label_playername%1").arg(seat).toLatin1().constData()));
        auto *menu = control<QMenu>("popup_kick");
        EXPECT_TRUE(menu && menu->isVisible());
        return menu;
    }
    QAction *action(const char *name) const { return window.findChild<QAction *>(QString::fromLatin1(name)); }
    bool enabled(const char *name) const { return action(name)->isEnabled(); }
    bool justWatchChecked() const { return action("JustWatch1")->isChecked(); }

    // Nothing reaches the host within a short while.
    bool nothingSent()
    {
        waitFor([this] { return peer->bytesAvailable() > 0; }, 200);
        return peer->readAll().isEmpty();
    }
};

TEST_F(WatchTest, AJoinedPlayerGetsTheSeatMenuGreyed)
{
    seat(2, "Ann");
    handle({"CMD_existingplayers+1+Hal"}); // the table's owner
    handle({"CMD_newplayerinfo+3+Bo"});
    QMenu *menu = rightClickSeat(3);
    ASSERT_TRUE(menu);
    EXPECT_FALSE(enabled("RemoveFromGame1"));
    EXPECT_FALSE(enabled("SettoJustWatch1"));
    EXPECT_FALSE(enabled("UnsetJustWatch1"));
}

TEST_F(WatchTest, TheHostCannotRemoveAnEmptySeat)
{
    seat(1, "Ann");
    window.table().setHosting(true);
    QMenu *menu = rightClickSeat(4);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->menuAction()->data().toInt(), 4);
    EXPECT_FALSE(enabled("RemoveFromGame1"));
    EXPECT_TRUE(enabled("SettoJustWatch1"));
    EXPECT_TRUE(enabled("UnsetJustWatch1"));

    // The menu is prepared afresh on each opening: a seated player may go.
    menu->hide();
    handle({"CMD_newplayerinfo+4+Cy"});
    rightClickSeat(4)->hide();
    EXPECT_TRUE(enabled("RemoveFromGame1"));
    action("RemoveFromGame1")->trigger();
    EXPECT_EQ(sent("CMD_kickhim+1+4+\xff"), QByteArray("CMD_kickhim+1+4+\xff"));
}

TEST_F(WatchTest, TheHostSetsAndUnsetsAnotherSeat)
{
    seat(1, "Ann");
    handle({"CMD_newplayerinfo+3+Bo"});
    window.table().setHosting(true);
    rightClickSeat(3)->hide();
    action("SettoJustWatch1")->trigger();
    EXPECT_EQ(sent("CMD_justwatch+3+1\xff"), QByteArray("CMD_justwatch+3+1\xff"));
    EXPECT_FALSE(shown("image_eyes3")); // only the host's word shows it

    handle({"CMD_justwatching+3+1"});
    EXPECT_EQ(lastChatLine(), QStringLiteral("Bo is just watching"));
    EXPECT_TRUE(shown("image_eyes3"));
    EXPECT_FALSE(justWatchChecked()); // not our seat

    action("UnsetJustWatch1")->trigger();
    EXPECT_EQ(sent("CMD_justwatch+3+2\xff"), QByteArray("CMD_justwatch+3+2\xff"));
}

TEST_F(WatchTest, OwnJustWatchIsCheckedOnlyByTheHost)
{
    seat(2, "Ann");
    action("JustWatch1")->trigger();
    EXPECT_FALSE(justWatchChecked());
    EXPECT_EQ(sent("CMD_justwatch+2+1\xff"), QByteArray("CMD_justwatch+2+1\xff"));
    // A second click before the answer still asks to watch.
    action("JustWatch1")->trigger();
    EXPECT_EQ(sent("CMD_justwatch+2+1\xff"), QByteArray("CMD_justwatch+2+1\xff"));

    handle({"CMD_justwatching+2+1"});
    EXPECT_TRUE(justWatchChecked());
    EXPECT_TRUE(shown("image_eyes2"));
    EXPECT_EQ(lastChatLine(), QStringLiteral("Ann is just watching"));

    action("JustWatch1")->trigger();
    EXPECT_TRUE(justWatchChecked());
    EXPECT_EQ(sent("CMD_justwatch+2+2\xff"), QByteArray("CMD_justwatch+2+2\xff"));
    handle({"CMD_justwatching+2+2"});
    EXPECT_FALSE(justWatchChecked());
    EXPECT_FALSE(shown("image_eyes2"));
    EXPECT_EQ(lastChatLine(), QStringLiteral("Ann is now playing again"));
}

TEST_F(WatchTest, AnotherSeatPlayingAgainLeavesTheOwnCheck)
{
    seat(2, "Ann");
    handle({"CMD_newplayerinfo+5+Cy", "CMD_justwatching+2+1", "CMD_justwatching+5+1", "CMD_justwatching+5+2"});
    EXPECT_EQ(lastChatLine(), QStringLiteral("Cy is now playing again"));
    EXPECT_FALSE(shown("image_eyes5"));
    EXPECT_TRUE(shown("image_eyes2"));
    EXPECT_TRUE(justWatchChecked());
}

TEST_F(WatchTest, AnnouncementsForSeatsOffTheBoardChangeNothing)
{
    seat(7, "Max");
    const QStringList before = chatLines();
    handle({"CMD_justwatching+7+1", "CMD_justwatching+0+1", "CMD_justwatching+-1+1", "CMD_justwatching+x+1"});
    EXPECT_EQ(chatLines(), before);
    EXPECT_FALSE(justWatchChecked());
}

TEST_F(WatchTest, ASpyCannotJustWatch)
{
    seat(7, "Max");
    action("JustWatch1")->trigger();
    EXPECT_FALSE(justWatchChecked());
    EXPECT_TRUE(nothingSent());
}

TEST_F(WatchTest, NothingIsSentBeforeTheLogin)
{
    window.table().setHosting(true);
    spyList->setKickEnabled(true);
    rightClickSeat(3)->hide();
    action("RemoveFromGame1")->trigger();
    action("SettoJustWatch1")->trigger();
    action("UnsetJustWatch1")->trigger();
    action("JustWatch1")->trigger();
    spyList->addSpy(8, QStringLiteral("Max"));
    Q_EMIT spyList->kickRequested(8);
    EXPECT_TRUE(nothingSent());
}

TEST_F(WatchTest, AGameStartClearsTheCheckAndEveryMark)
{
    seat(2, "Ann");
    handle({"CMD_newplayerinfo+4+Bo", "CMD_justwatching+2+1", "CMD_justwatching+4+1",
            "CMD_startgame+Ann+500+60+"});
    EXPECT_FALSE(justWatchChecked());
    EXPECT_FALSE(shown("image_eyes2"));
    EXPECT_FALSE(shown("image_eyes4"));
}

TEST_F(WatchTest, TheHostRemovesASpyFromTheList)
{
    seat(1, "Ann");
    window.table().setHosting(true);
    spyList->setKickEnabled(true);
    handle({"CMD_newplayerinfo+7+Eve", "CMD_newplayerinfo+8+Max"});
    auto *list = spyList->findChild<QListWidget *>(QStringLiteral("listbox_spys"));
    ASSERT_TRUE(list);
    spyList->show();
    rightClick(list->viewport(), list->visualItemRect(list->item(1)).center());
    spyList->findChild<QMenu *>(QStringLiteral("popup_kick"))->hide();
    spyList->findChild<QAction *>(QStringLiteral("popup_kickhim"))->trigger();
    EXPECT_EQ(sent("CMD_kickhim+1+8+\xff"), QByteArray("CMD_kickhim+1+8+\xff"));
}

TEST_F(WatchTest, AJoinedPlayerCannotRemoveASpy)
{
    seat(2, "Ann");
    handle({"CMD_existingplayers+1+Hal"}); // the table's owner
    handle({"CMD_newplayerinfo+8+Max"});
    EXPECT_FALSE(spyList->findChild<QAction *>(QStringLiteral("popup_kickhim"))->isEnabled());
    // Even a request that got past the greyed entry is not sent.
    Q_EMIT spyList->kickRequested(8);
    EXPECT_TRUE(nothingSent());
}

TEST_F(WatchTest, ViewSpyListShowsTheWindow)
{
    action("SpyList1")->trigger();
    EXPECT_TRUE(spyList->isVisible());
    spyList->findChild<QAbstractButton *>(QStringLiteral("button_done"))->click();
    EXPECT_FALSE(spyList->isVisible());
}

} // namespace
