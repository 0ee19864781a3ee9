#pragma once
// The one object through which the game speaks to a screen reader without
// moving the focus: each announcement becomes its accessible name, and the
// change is sent as an event (as an announcement where Qt has that event).
#include <QAccessibleWidget>
#include <QString>
#include <QWidget>

namespace zz {

class Announcer : public QWidget
{
    Q_OBJECT
public:
    explicit Announcer(QWidget *parent = nullptr);

    void announce(const QString &text);
    const QString &lastAnnouncement() const { return m_last; }

Q_SIGNALS:
    void announced(const QString &text);

private:
    QString m_last;
};

class AnnouncerAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(QWidget *announcer);
    QString text(QAccessible::Text t) const override;
};

} // namespace zz
