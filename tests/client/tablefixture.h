#pragma once
// A game window connected to a stand-in host on a loopback port: tests hand
// the session the host's messages and read the controls by name and the
// bytes the window sent.
#include "client/board/boardview.h"
#include "client/chat/chatbrowser.h"
#include "client/chat/chatview.h"
#include "session/clientsession.h"
#include "client/gametable.h"
#include "client/gamewindow.h"
#include "client/ladderdialog.h"
#include "social/soundplayer.h"
#include "social/spylistwindow.h"
#include "storeui/tallywindow.h"
#include "support/loopback.h"
#include "support/waitfor.h"
#include "support/widgets.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zz::test {

class RecordingSounds : public SoundPlayer
{
public:
    void play(std::string_view name) override { played.emplace_back(name); }
    std::vector<std::string> played;
};

class TableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto recorder = std::make_unique<RecordingSounds>();
        sounds = recorder.get();
        window.setSoundPlayer(std::move(recorder));
        spyList = new SpyListWindow(&window);
        tally = new TallyWindow(&window);
        ladder = new LadderDialog(&window);
        window.setCompanions({{}, {}, {}, {}, {}, spyList, tally, ladder});

        ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0));
        window.session().connectTo("127.0.0.1", host.serverPort());
        peer = acceptPeer(host);
        ASSERT_TRUE(peer);
    }

    // Hands each message to the session, which handles it at once.
    void handle(std::initializer_list<std::string> messages)
    {
        for (const std::string &message : messages)
            window.session().receiveBytes(message + '\xff');
    }

    // Logs in on seat and seats the given name there, and forgets what that sent and played.
    void seat(int seatNumber, const std::string &name)
    {
        const std::string number = std::to_string(seatNumber);
        handle({"CMD_sendlogininfo+" + number, "CMD_newplayerinfo+" + number + "+" + name});
        EXPECT_TRUE(waitFor([&] {
            received += peer->readAll();
            return received.endsWith("\xff\xff");
        }));
        received.clear();
        sounds->played.clear();
    }

    // What the window has sent since the last call, once there are at least
    // as many bytes as expected holds; a check that nothing else was sent
    // before it comes free.
    QByteArray sent(const QByteArray &expected) { return readAtLeast(*peer, expected.size()); }

    template <typename T = QLabel> T *control(const char *name) const
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }
    QString text(const char *name) const { return control(name)->text(); }
    bool shown(const char *name) const { return !control<QWidget>(name)->isHidden(); }
    QLineEdit *wordBox() const { return control<QLineEdit>("edit_word"); }

    // The chat view's lines, each without the blanks around its words.
    QStringList chatLines()
    {
        const QString all = window.chat().chatBrowser()->toPlainText();
        if (all.isEmpty())
            return {};
        QStringList lines = all.split(QLatin1Char('\n'));
        for (QString &line : lines)
            line = line.trimmed();
        return lines;
    }
    QString lastChatLine() { return chatLines().value(chatLines().size() - 1); }

    GameWindow window{{}};
    RecordingSounds *sounds = nullptr;
    SpyListWindow *spyList = nullptr;
    TallyWindow *tally = nullptr;
    LadderDialog *ladder = nullptr;
    QTcpServer host;
    QTcpSocket *peer = nullptr;
    QByteArray received;
};

} // namespace zz::test
