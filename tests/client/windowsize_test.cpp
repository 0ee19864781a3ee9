// The window at its smallest, after a smaller saved size and at a large size:
// the board is never cut and extra room goes to the chat. Built into the
// tests at scale 1 and at scale 2.
#include "client/board/boardview.h"
#include "client/chat/chatview.h"
#include "client/gamewindow.h"
#include "support/waitfor.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

QRect inWindow(const QWidget &widget, const zz::GameWindow &window)
{
    return QRect(widget.mapTo(&window, QPoint()), widget.size());
}

TEST(WindowSize, TheBoardIsWholeAtAnySizeAndExtraRoomGoesToTheChat)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path settings = std::filesystem::path(dir.path().toStdString()) / "quibplazo.ini";
    std::ofstream(settings) << "[Zigzop]\r\nLeft=10\r\nTop=10\r\nWidth=600\r\nHeight=300\r\n";
    zz::GameWindow window({QStringLiteral("Ann")});   // one parameter: it only shows its loading line
    window.setSettingsPath(settings);
    window.resize(1, 1);
    window.show();
    ASSERT_TRUE(zz::test::runUntilIdle());
    const QRect smallest = inWindow(window.board(), window);
    const QSize smallChat = window.chat().size();
    EXPECT_TRUE(window.rect().contains(smallest));
    EXPECT_GT(smallChat.height(), 0);

    window.loadIniFile();   // the saved size is smaller still
    ASSERT_TRUE(zz::test::runUntilIdle());
    EXPECT_EQ(inWindow(window.board(), window), smallest);

    window.resize(window.width() + 500, window.height() + 400);
    ASSERT_TRUE(zz::test::runUntilIdle());
    const QRect board = inWindow(window.board(), window);
    EXPECT_TRUE(window.rect().contains(board));
    EXPECT_EQ(board.size(), smallest.size());
    EXPECT_EQ(board.top(), smallest.top());
    EXPECT_EQ(window.chat().size(), smallChat + QSize(500, 400));
}

} // namespace
