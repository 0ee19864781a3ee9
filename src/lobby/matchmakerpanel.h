#pragma once
// The "Play With Others" part that reaches tables on the internet through a
// matchmaker: its address (remembered; ZIGZOP_MATCHMAKER overrides it),
// Quick Match, and a private table for friends. It finds the table; the
// dialog joins it like any other.
#include "lobby/matchmakerclient.h"

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zz {

class MatchmakerPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit MatchmakerPanel(QWidget *parent = nullptr);

    // The remembered address; the environment's wins when it is set.
    void setRememberedMatchmaker(const QString &address);
    // What to remember: the field's text, unless the environment set it.
    QString matchmakerToRemember() const { return m_fromEnvironment ? m_remembered : matchmaker(); }
    QString matchmaker() const;

    void quickMatchClicked();
    void privateTableClicked();
    void cancelClicked();

Q_SIGNALS:
    // A table to join; privateTable when the player asked for one of their own.
    void tableFound(const zz::TableOffer &offer, bool privateTable);

private:
    void ask(bool privateTable);
    void showState();

    MatchmakerClient m_client{this};
    QString m_remembered;
    bool m_fromEnvironment = false;
    bool m_askedPrivate = false;
    QLineEdit *m_address = nullptr;
    QPushButton *m_quick = nullptr;
    QPushButton *m_private = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace zz
