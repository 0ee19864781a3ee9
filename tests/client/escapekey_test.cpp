// Escape in the windows that are no dialogs: the tally list, the help and the spy list.
#include "client/helpwindow.h"
#include "social/spylistwindow.h"
#include "storeui/tallywindow.h"
#include "support/widgets.h"

#include <QMessageBox>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace zz;

namespace {

TEST(EscapeKey, ClosesOnlyTheWindowItIsPressedIn)
{
    const struct
    {
        const char *name;
        std::function<std::unique_ptr<QWidget>()> make;
        const char *control; // where the focus is when Escape comes
    } cases[] = {
        {"tally list", [] { return std::make_unique<TallyWindow>(); }, "checklist"},
        {"tally's Reset", [] { return std::make_unique<TallyWindow>(); }, "button_reset"},
        {"help", [] { return std::make_unique<HelpWindow>(); }, "helptext"},
        {"spy list", [] { return std::make_unique<SpyListWindow>(); }, "listbox_spys"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QWidget> window = c.make();
        const std::unique_ptr<QWidget> other = c.make();
        window->show();
        other->show();

        // A message box of its own takes its Escape and leaves the window open.
        auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("m"),
                                    QMessageBox::Ok, window.get());
        box->show();
        zz::test::pressKey(box, Qt::Key_Escape);
        EXPECT_FALSE(box->isVisible());
        EXPECT_TRUE(window->isVisible());

        auto *control = window->findChild<QWidget *>(QString::fromLatin1(c.control));
        ASSERT_NE(control, nullptr);
        zz::test::pressKey(control, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(other->isVisible());
    }
}

} // namespace
