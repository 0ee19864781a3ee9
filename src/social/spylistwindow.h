#pragma once
// The list of spectator connections ("seat: name"), always on top.
#include <QWidget>

class QListWidget;

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

private:
    static QString entryText(int seat, const QString &name);

    QListWidget *m_list = nullptr;
};

} // namespace zz
