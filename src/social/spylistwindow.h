#pragma once
// The list of spectator connections ("seat: name"), always on top. The host
// player may remove a spy from here; the window only says whom.
#include <QWidget>

#include <optional>

class QAction;
class QListWidget;
class QMenu;
class QPoint;

namespace zz {

class SpyListWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SpyListWindow(QWidget *parent = nullptr);

    void addSpy(int seat, const QString &name);
    // Removes the entry for that seat and name; false when there is none.
    bool removeSpy(int seat, const QString &name);
    QStringList spies() const;

    // "Remove From Game" stays greyed unless this window owns the table.
    void setKickEnabled(bool enabled);
    // The seat before the entry's ':' ("8: Max" gives 8); nullopt when that is no number.
    static std::optional<int> entrySeat(const QString &entry);

Q_SIGNALS:
    // "Remove From Game" chosen on the entry of that seat.
    void kickRequested(int seat);

private:
    static QString entryText(int seat, const QString &name);
    void listMenuRequested(const QPoint &at);
    void kickHimClicked();

    QListWidget *m_list = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_kickHim = nullptr;
    QString m_menuEntry;   // the entry the menu was opened on; empty for none
};

} // namespace zz
