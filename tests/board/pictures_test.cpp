// The board's pictures: painted when a control first shows them, once for
// all the controls that show the same one.
#include "client/board/boardview.h"
#include "ui/tiledlook.h"

#include <QLabel>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

using zz::BoardView;

const QLabel *mark(const BoardView &board, const char *name, int number)
{
    return board.findChild<QLabel *>(QString::fromUtf8(name) + QString::number(number));
}

TEST(BoardPictures, MarksGetTheirPictureWhenShownAndShareIt)
{
    BoardView board;
    board.show();
    const struct
    {
        const char *name;
        void (BoardView::*show)(int, bool);
    } marks[] = {{"image_completed", &BoardView::showCompleted},
                 {"image_fast", &BoardView::showFast},
                 {"image_eyes", &BoardView::showEyes}};
    for (const auto &m : marks) {
        SCOPED_TRACE(m.name);
        ASSERT_NE(mark(board, m.name, 1), nullptr);
        EXPECT_TRUE(mark(board, m.name, 1)->pixmap().isNull()); // hidden: not painted yet
        (board.*m.show)(1, true);
        (board.*m.show)(6, true);
        const QPixmap first = mark(board, m.name, 1)->pixmap();
        EXPECT_FALSE(first.isNull());
        EXPECT_EQ(mark(board, m.name, 6)->pixmap().cacheKey(), first.cacheKey());
    }
}

TEST(BoardPictures, EachBonusBadgeShowsItsOwnValue)
{
    BoardView board;
    board.show();
    board.showBoxBonusMarks(2);
    // Boxes 2..5 earn 20, 6..10 earn 15: one picture for each value.
    const QPixmap twenty = mark(board, "image_points", 2)->pixmap();
    ASSERT_FALSE(twenty.isNull());
    EXPECT_EQ(mark(board, "image_points", 5)->pixmap().cacheKey(), twenty.cacheKey());
    EXPECT_NE(mark(board, "image_points", 6)->pixmap().cacheKey(), twenty.cacheKey());
    EXPECT_NE(mark(board, "image_points", 6)->pixmap().toImage(), twenty.toImage());
}

TEST(TiledLook, WindowGetsTheSharedTileWhenFirstShown)
{
    QWidget first;
    QWidget second;
    zz::ui::tileBackground(first);
    zz::ui::tileBackground(second);
    EXPECT_TRUE(first.autoFillBackground());
    first.show();
    second.show();
    const QBrush tile = first.palette().brush(QPalette::Window);
    ASSERT_FALSE(tile.texture().isNull());
    EXPECT_EQ(second.palette().brush(QPalette::Window).texture().cacheKey(), tile.texture().cacheKey());
    EXPECT_EQ(zz::ui::backgroundTile().toImage(), tile.texture().toImage());
}

} // namespace
