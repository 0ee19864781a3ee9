#pragma once
// The window that shows the record of games and wins.
#include "store/tallyrecorder.h"

#include <QStringList>
#include <QWidget>

class QListWidget;

namespace zz {

class TallyWindow : public QWidget, public TallyRecorder
{
    Q_OBJECT
public:
    explicit TallyWindow(QWidget *parent = nullptr);

    // Keeps the game for this run; counting and the file come with the tally list.
    void addGame(const QString &winner) override;
    const QStringList &games() const { return m_games; }

private:
    QListWidget *m_list = nullptr;
    QStringList m_games;
};

} // namespace zz
