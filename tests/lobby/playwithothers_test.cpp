#include "lobby/playwithothersdialog.h"

#include "lobby/tablefinder.h"
#include "net/tableannouncement.h"
#include "support/waitfor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zz;

namespace {

class PlayWithOthersTest : public ::testing::Test
{
protected:
    std::filesystem::path file() const { return std::filesystem::path(m_dir.path().toStdString()) / "lobby.ini"; }
    template <typename T> T *control(const char *name) { return dialog.findChild<T *>(QLatin1String(name)); }
    QStringList launches() const { return m_launched; }

    void SetUp() override
    {
        QObject::connect(&dialog, &PlayWithOthersDialog::launchRequested, &dialog,
                         [this](const QStringList &arguments) { m_launched = arguments; });
        dialog.setChoicesFile(file());
    }

    QTemporaryDir m_dir;
    PlayWithOthersDialog dialog;
    QStringList m_launched;
};

} // namespace

TEST_F(PlayWithOthersTest, HostingAndJoiningAskForTheirLaunchParameters)
{
    control<QLineEdit>("edit_lobbyname")->setText(QStringLiteral(" Ann "));
    control<QCheckBox>("check_announce")->setChecked(true);
    dialog.hostClicked();
    EXPECT_EQ(launches(), (QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")}));

    control<QComboBox>("combo_address")->setEditText(QStringLiteral("[::1]:9000"));
    dialog.joinClicked();
    EXPECT_EQ(launches(), (QStringList{QStringLiteral("Ann"), QStringLiteral("[::1]:9000"), QStringLiteral("false")}));

    // A table heard on the network joins with one click.
    dialog.finder().datagramReceived(net::encodeAnnouncement({"1.0.2", 7772, "Friday", "Bo", 2, 0, true}),
                                     "10.0.0.9");
    auto *tables = control<QTreeWidget>("list_tables");
    ASSERT_EQ(tables->topLevelItemCount(), 1);
    EXPECT_EQ(tables->topLevelItem(0)->text(2), QStringLiteral("2 of 6"));
    dialog.tableClicked(tables->topLevelItem(0));
    EXPECT_EQ(launches(), (QStringList{QStringLiteral("Ann"), QStringLiteral("10.0.0.9"), QStringLiteral("false")}));
}

TEST_F(PlayWithOthersTest, RemembersTheNameTheTickAndTheTablesJoined)
{
    control<QLineEdit>("edit_lobbyname")->setText(QStringLiteral("Bo"));
    control<QCheckBox>("check_announce")->setChecked(true);
    for (const char *address : {"first.example", "second.example:9000", "first.example"}) {
        control<QComboBox>("combo_address")->setEditText(QString::fromLatin1(address));
        dialog.joinClicked();
    }
    dialog.hostClicked();

    PlayWithOthersDialog again;
    again.setChoicesFile(file());
    EXPECT_EQ(again.findChild<QLineEdit *>(QStringLiteral("edit_lobbyname"))->text(), QStringLiteral("Bo"));
    EXPECT_TRUE(again.findChild<QCheckBox *>(QStringLiteral("check_announce"))->isChecked());
    auto *addresses = again.findChild<QComboBox *>(QStringLiteral("combo_address"));
    ASSERT_EQ(addresses->count(), 2);
    EXPECT_EQ(addresses->itemText(0), QStringLiteral("first.example"));
    EXPECT_EQ(addresses->itemText(1), QStringLiteral("second.example:9000"));
}

TEST_F(PlayWithOthersTest, ANameThatReadsAsAnOptionStartsNothing)
{
    control<QLineEdit>("edit_lobbyname")->setText(QStringLiteral("--serve"));
    dialog.hostClicked();
    control<QLineEdit>("edit_lobbyname")->setText(QStringLiteral("Ann"));
    control<QComboBox>("combo_address")->setEditText(QStringLiteral("host:70000"));
    dialog.joinClicked();
    EXPECT_TRUE(launches().isEmpty());
}

TEST_F(PlayWithOthersTest, EveryShowStartsInTheNameField)
{
    auto *name = control<QLineEdit>("edit_lobbyname");
    auto *close = control<QPushButton>("button_close");
    dialog.setFinderPort(0);
    for (int shown = 1; shown <= 2; ++shown) {
        SCOPED_TRACE(shown);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(zz::test::waitFor([this] { return dialog.isActiveWindow(); }));
        EXPECT_TRUE(name->hasFocus());
        // Closed with a click, which leaves the focus on the button.
        close->setFocus(Qt::MouseFocusReason);
        close->click();
        ASSERT_FALSE(dialog.isVisible());
    }
}
