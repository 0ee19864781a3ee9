#include "client/gamestartdialog.h"
#include "support/waitfor.h"
#include "support/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSpinBox>
#include <gtest/gtest.h>

using namespace zz;

namespace {

struct Request
{
    int playTo = 0, time = 0;
    bool three = false, four = false, five = false;
    int count = 0;
};

class Options : public ::testing::Test
{
protected:
    Options()
    {
        QObject::connect(&dialog, &GameStartDialog::startRequested, &dialog,
                         [this](int playTo, int time, bool three, bool four, bool five) {
                             request = {playTo, time, three, four, five, request.count + 1};
                         });
        dialog.show();
    }

    void click(const char *name)
    {
        QWidget *box = dialog.findChild<QWidget *>(QString::fromLatin1(name));
        const QPointF at(box->width() / 2.0, box->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, box->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(box, &press);
    }
    QSpinBox *upDown(const char *name) { return dialog.findChild<QSpinBox *>(QString::fromLatin1(name)); }
    QWidget *control(const char *name) { return dialog.findChild<QWidget *>(QString::fromLatin1(name)); }
    bool activate()
    {
        dialog.activateWindow();
        return zz::test::waitFor([this] { return dialog.isActiveWindow(); });
    }
    // The key as the player gives it: to whatever has the focus.
    void press(int key, const QString &text = {}) { zz::test::pressKey(QApplication::focusWidget(), key, text); }

    GameStartDialog dialog;
    Request request;
};

TEST_F(Options, DefaultsAskForEveryLength)
{
    EXPECT_EQ(dialog.findChild<QLineEdit *>(QStringLiteral("edit_playtoscore"))->text(), QStringLiteral("1000"));
    EXPECT_EQ(dialog.findChild<QLineEdit *>(QStringLiteral("edit_time"))->text(), QStringLiteral("120"));
    EXPECT_TRUE(dialog.findChild<QLineEdit *>(QStringLiteral("edit_time"))->isReadOnly());
    dialog.findChild<QAbstractButton *>(QStringLiteral("button_start"))->click();
    EXPECT_EQ(request.count, 1);
    EXPECT_EQ(request.playTo, 1000);
    EXPECT_EQ(request.time, 120);
    EXPECT_TRUE(request.three && request.four && request.five);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(Options, ArrowsStepWithinTheirLimits)
{
    const struct
    {
        const char *name;
        int steps;
        int expected;
        const char *text;
    } cases[] = {
        {"UpDown1", -5, 500, "500"}, {"UpDown1", 100, 10000, "10000"}, {"UpDown1", -1, 9500, "9500"},
        {"UpDown2", -9, 60, "60"},   {"UpDown2", 9, 300, "300"},       {"UpDown2", -1, 270, "270"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        upDown(c.name)->stepBy(c.steps);
        EXPECT_EQ(upDown(c.name)->value(), c.expected);
        EXPECT_EQ(upDown(c.name)->text(), QString::fromLatin1(c.text)); // no separator, no wrap
    }
    EXPECT_EQ(dialog.playToScore(), 9500);
    EXPECT_EQ(dialog.timePerTurn(), 270);
}

TEST_F(Options, BoxesToggleAndAtLeastOneIsNeeded)
{
    click("image_gt1");
    EXPECT_EQ(dialog.boxState(1), 0);
    click("image_gt1");
    EXPECT_EQ(dialog.boxState(1), 1);

    click("image_gt1");
    click("image_gt2");
    click("image_gt3");
    dialog.buttonStartClick();
    ASSERT_TRUE(zz::test::waitFor(
        [] { return zz::test::openMessageBox(QStringLiteral("You must select at least one Letter Count.")); }));
    EXPECT_EQ(request.count, 0);
    EXPECT_TRUE(dialog.isVisible());

    dialog.changeBox(QStringLiteral("image_gt3"), 1);
    dialog.changeBox(QStringLiteral("image_gt2"), 7);     // not a state: nothing
    dialog.changeBox(QStringLiteral("label_nothing"), 1); // not a box: nothing
    EXPECT_EQ(dialog.boxState(2), 0);
    dialog.buttonStartClick();
    EXPECT_EQ(request.count, 1);
    EXPECT_FALSE(request.three || request.four);
    EXPECT_TRUE(request.five);
}

TEST_F(Options, TabVisitsEveryControlSpaceTicksAClickTakesNoFocus)
{
    ASSERT_TRUE(activate());
    ASSERT_TRUE(upDown("UpDown1")->hasFocus());
    for (const char *name : {"UpDown2", "image_gt1", "image_gt2", "image_gt3", "button_start", "UpDown1"}) {
        SCOPED_TRACE(name);
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), control(name));
    }
    click("image_gt2");
    EXPECT_TRUE(upDown("UpDown1")->hasFocus()) << "a click on a box leaves the focus where it was";
    EXPECT_EQ(dialog.boxState(2), 0);

    control("image_gt3")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(dialog.boxState(3), 0);
    EXPECT_EQ(dialog.boxState(1), 1);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(Options, EnterAnywhereStartsAsTheButtonDoes)
{
    const struct
    {
        const char *target;
        int key;
        const char *text;
    } cases[] = {
        {"UpDown1", Qt::Key_Return, "\r"},
        {"image_gt1", Qt::Key_Enter, "\r"},
        {"button_start", Qt::Key_Space, " "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target);
        request = {};
        dialog.changeBox(QStringLiteral("image_gt1"), 1);
        dialog.changeBox(QStringLiteral("image_gt2"), 0);
        dialog.changeBox(QStringLiteral("image_gt3"), 1);
        upDown("UpDown1")->setValue(1500);
        dialog.show();
        zz::test::pressKey(control(c.target), c.key, QString::fromLatin1(c.text));
        EXPECT_EQ(request.count, 1);
        EXPECT_EQ(request.playTo, 1500);
        EXPECT_TRUE(request.three && !request.four && request.five);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(Options, EnterWithNoLengthTickedIsRefused)
{
    ASSERT_TRUE(activate());
    for (int box = 1; box <= GameStartDialog::LetterBoxCount; ++box)
        dialog.toggleBox(box);
    control("image_gt2")->setFocus(Qt::TabFocusReason);
    zz::test::pressEnter(QApplication::focusWidget());
    QMessageBox *refusal = nullptr;
    ASSERT_TRUE(zz::test::waitFor([&refusal] {
        refusal = zz::test::openMessageBox(QStringLiteral("You must select at least one Letter Count."));
        return refusal != nullptr;
    }));
    EXPECT_EQ(request.count, 0);
    EXPECT_TRUE(dialog.isVisible());
    refusal->close();
}

} // namespace
