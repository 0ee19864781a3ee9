// The spy list: its entries and the removal it asks for.
#include "social/spylistwindow.h"
#include "support/widgets.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <gtest/gtest.h>

#include <vector>

using namespace zz;

namespace {

class SpyListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QObject::connect(&window, &SpyListWindow::kickRequested, [this](int seat) { requested.push_back(seat); });
        window.show();
    }

    QListWidget *list() const { return window.findChild<QListWidget *>(QStringLiteral("listbox_spys")); }
    QAction *kickHim() const { return window.findChild<QAction *>(QStringLiteral("popup_kickhim")); }

    // A right-click at that point of the list, then the menu put away.
    void rightClick(const QPoint &at)
    {
        zz::test::rightClick(list()->viewport(), at);
        auto *menu = window.findChild<QMenu *>(QStringLiteral("popup_kick"));
        ASSERT_TRUE(menu);
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
    }
    void rightClickRow(int row) { rightClick(list()->visualItemRect(list()->item(row)).center()); }

    SpyListWindow window;
    std::vector<int> requested;
};

TEST(SpyListEntry, SeatIsTheNumberBeforeTheColon)
{
    const struct
    {
        const char *entry;
        std::optional<int> seat;
    } cases[] = {{"8: Max", 8},       {"7: A:B", 7},   {"$9: Hex", 9},    {"x: Max", std::nullopt},
                 {"Max", std::nullopt}, {": Max", std::nullopt}, {" 8: Max", std::nullopt}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(SpyListWindow::entrySeat(QString::fromUtf8(c.entry)), c.seat);
    }
}

TEST_F(SpyListTest, RemovalIsGreyedUntilHosting)
{
    EXPECT_FALSE(kickHim()->isEnabled());
    window.addSpy(8, QStringLiteral("Max"));
    rightClickRow(0);
    kickHim()->trigger();
    EXPECT_TRUE(requested.empty());
}

TEST_F(SpyListTest, RemovesTheEntryUnderTheClick)
{
    window.setKickEnabled(true);
    window.addSpy(7, QStringLiteral("Eve"));
    window.addSpy(9, QStringLiteral("Max"));
    rightClickRow(1);
    kickHim()->trigger();
    rightClickRow(0);
    kickHim()->trigger();
    EXPECT_EQ(requested, (std::vector<int>{9, 7}));
}

TEST_F(SpyListTest, AClickBelowTheLastEntryRemovesNobody)
{
    window.setKickEnabled(true);
    window.addSpy(7, QStringLiteral("Eve"));
    rightClickRow(0);
    rightClick(QPoint(5, list()->viewport()->height() - 2));
    kickHim()->trigger();
    EXPECT_TRUE(requested.empty());
}

TEST_F(SpyListTest, ASpyWhoLeftWhileTheMenuWasOpenIsNotReplacedByTheNext)
{
    window.setKickEnabled(true);
    window.addSpy(7, QStringLiteral("Eve"));
    window.addSpy(8, QStringLiteral("Max"));
    rightClickRow(0);
    EXPECT_TRUE(window.removeSpy(7, QStringLiteral("Eve")));
    kickHim()->trigger();
    EXPECT_TRUE(requested.empty());
}

} // namespace
