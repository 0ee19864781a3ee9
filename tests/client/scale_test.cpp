// Run with QT_SCALE_FACTOR=2: every kind of picture the game paints is drawn
// for the screen's device pixel ratio, at twice its size in pixels, rather
// than painted at one pixel per point and blown up.
#include "client/board/boardview.h"
#include "client/board/imagebutton.h"
#include "client/chat/chatbrowser.h"
#include "client/chat/chatview.h"
#include "client/gamestartdialog.h"
#include "client/ladderdialog.h"
#include "social/phrasecolumn.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using namespace zz;

constexpr qreal Ratio = 2;

// The picture and the device-independent size it is drawn for.
struct Drawn
{
    const char *name;
    QPixmap picture;
    QSize size;
};

void expectDrawnForTheScreen(const Drawn &drawn)
{
    SCOPED_TRACE(drawn.name);
    ASSERT_FALSE(drawn.picture.isNull());
    EXPECT_EQ(drawn.picture.devicePixelRatio(), Ratio);
    EXPECT_EQ(drawn.picture.size(), drawn.size * Ratio);
}

QPixmap labelPicture(const QWidget &parent, const QString &name)
{
    const auto *label = parent.findChild<QLabel *>(name);
    return label ? label->pixmap() : QPixmap();
}

// The first face in the chat's text, as the text asks for it.
QImage firstFace(ChatBrowser &browser)
{
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                return browser.document()
                    ->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                    .value<QImage>();
        }
    }
    return {};
}

TEST(PicturesAtScaleTwo, EveryKindIsDrawnForTheScreen)
{
    ASSERT_EQ(qApp->devicePixelRatio(), Ratio) << "run with QT_SCALE_FACTOR=2";

    BoardView board;
    board.show();
    board.showCompleted(1, true);
    board.showFast(2, true);
    board.showEyes(3, true);
    board.showBoxBonusMarks(2);
    const auto *boardButton = board.findChild<ImageButton *>(QStringLiteral("button_start"));
    ASSERT_NE(boardButton, nullptr);

    GameStartDialog options;
    options.show();
    const auto *optionsButton = options.findChild<ImageButton *>(QStringLiteral("button_start"));
    ASSERT_NE(optionsButton, nullptr);

    LadderDialog ladder;
    ladder.show();

    PhraseColumn phrases;
    phrases.show();
    const auto *phrase = phrases.findChild<QToolButton *>(QStringLiteral("b_phrase1"));
    ASSERT_NE(phrase, nullptr);

    ChatView chat;
    chat.show();
    chat.addLine("1+Ann: hello :)#12", SystemLineColour);
    auto *menu = chat.findChild<QMenu *>(QStringLiteral("popup_smilies"));
    ASSERT_NE(menu, nullptr);
    Q_EMIT menu->aboutToShow();
    const QImage face = firstFace(*chat.chatBrowser());

    const Drawn pictures[] = {
        {"completed mark", labelPicture(board, QStringLiteral("image_completed1")), QSize(23, 19)},
        {"fast mark", labelPicture(board, QStringLiteral("image_fast2")), QSize(23, 19)},
        {"eyes", labelPicture(board, QStringLiteral("image_eyes3")), QSize(23, 10)},
        {"bonus badge", labelPicture(board, QStringLiteral("image_points2")), QSize(47, 26)},
        {"board's start button", boardButton->picture(), boardButton->size()},
        {"options' start button", optionsButton->picture(), optionsButton->size()},
        {"letter box", labelPicture(options, QStringLiteral("image_gt1")), QSize(36, 30)},
        {"tiled background", ladder.palette().brush(QPalette::Window).texture(), QSize(160, 160)},
        {"phrase button", phrase->icon().pixmap(phrase->iconSize()), phrase->iconSize()},
        {"smiley in the chat", QPixmap::fromImage(face), QSize(17, 17)},
        {"smiley in the menu", menu->actions().at(3)->icon().pixmap(QSize(17, 17)), QSize(17, 17)},
    };
    for (const Drawn &drawn : pictures)
        expectDrawnForTheScreen(drawn);
}

} // namespace
