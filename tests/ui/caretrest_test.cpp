#include "ui/caretrest.h"
#include "support/waitfor.h"
#include "support/widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

using namespace std::chrono_literals;

namespace {

int flashTime()
{
    return QGuiApplication::styleHints()->cursorFlashTime();
}

class CaretRestTest : public testing::Test
{
protected:
    void SetUp() override { QApplication::setCursorFlashTime(1000); }
    void TearDown() override
    {
        rest.reset();
        QApplication::setCursorFlashTime(1000);
    }

    std::unique_ptr<zz::CaretRest> rest;
};

TEST_F(CaretRestTest, CaretsRestAfterQuietAndBlinkAgainAtAKey)
{
    QLineEdit field;
    field.show();
    field.setFocus();
    rest = std::make_unique<zz::CaretRest>(30ms, *qApp);
    EXPECT_EQ(flashTime(), 1000);
    ASSERT_TRUE(zz::test::waitFor([&] { return rest->resting(); }));
    EXPECT_EQ(flashTime(), 0);

    zz::test::pressKey(&field, Qt::Key_A, QStringLiteral("a"));
    EXPECT_FALSE(rest->resting());
    EXPECT_EQ(flashTime(), 1000);
    EXPECT_EQ(field.text(), QStringLiteral("a")); // the key still reaches the field
    ASSERT_TRUE(zz::test::waitFor([&] { return rest->resting(); }));

    QMouseEvent click(QEvent::MouseButtonPress, QPointF(2, 2), field.mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&field, &click);
    EXPECT_EQ(flashTime(), 1000);
}

TEST_F(CaretRestTest, ADesktopWithoutBlinkingIsLeftAlone)
{
    QApplication::setCursorFlashTime(0);
    rest = std::make_unique<zz::CaretRest>(0ms, *qApp);
    QLineEdit field;
    field.show();
    zz::test::pressKey(&field, Qt::Key_A, QStringLiteral("a"));
    ASSERT_TRUE(zz::test::runUntilIdle());
    EXPECT_FALSE(rest->resting());
    EXPECT_EQ(flashTime(), 0);
}

} // namespace
