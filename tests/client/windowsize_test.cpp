// The window at its smallest and at a large size: the board is never cut and
// extra room goes to the chat. Built into the tests at scale 1 and at scale 2.
#include "client/board/boardview.h"
#include "client/chat/chatview.h"
#include "client/gamewindow.h"
#include "support/waitfor.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using zz::GameWindow;

QRect inWindow(const QWidget &widget, const GameWindow &window)
{
    return QRect(widget.mapTo(&window, QPoint()), widget.size());
}

TEST(WindowSize, TheWholeBoardShowsAtTheSmallestSizeAndAfterASmallerSavedOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path settings = std::filesystem::path(dir.path().toStdString()) / "quibplazo.ini";
    std::ofstream(settings) << "[Zigzop]\r\nLeft=10\r\nTop=10\r\nWidth=600\r\nHeight=300\r\n";
    // One launch parameter: the window only shows its loading line.
    GameWindow window({QStringLiteral("Ann")});
    window.setSettingsPath(settings);
    window.resize(1, 1);
    window.show();
    ASSERT_TRUE(zz::test::runUntilIdle());
    for (const bool saved : {false, true}) {
        SCOPED_TRACE(saved ? "a smaller saved size" : "the smallest size");
        if (saved)
            window.loadIniFile();
        ASSERT_TRUE(zz::test::runUntilIdle());
        EXPECT_TRUE(window.rect().contains(inWindow(window.board(), window)));
        EXPECT_TRUE(window.rect().contains(inWindow(window.chat(), window)));
        EXPECT_GT(window.chat().height(), 0);
    }
}

TEST(WindowSize, ExtraRoomGoesToTheChatAndTheBoardStaysWholeAtTheTop)
{
    GameWindow window({QStringLiteral("Ann")});
    window.resize(1, 1);
    window.show();
    ASSERT_TRUE(zz::test::runUntilIdle());
    const QRect smallBoard = inWindow(window.board(), window);
    const QSize smallChat = window.chat().size();
    window.resize(window.width() + 500, window.height() + 400);
    ASSERT_TRUE(zz::test::runUntilIdle());
    const QRect board = inWindow(window.board(), window);
    EXPECT_TRUE(window.rect().contains(board));
    EXPECT_EQ(board.size(), smallBoard.size());
    EXPECT_EQ(board.top(), smallBoard.top());
    EXPECT_EQ(window.chat().width(), smallChat.width() + 500);
    EXPECT_EQ(window.chat().height(), smallChat.height() + 400);
}

} // namespace
