#pragma once
#include <QDialog>

namespace zz {

// The hosting player's game options, from which a game is started.
class GameStartDialog : public QDialog
{
    Q_OBJECT
public:
    explicit GameStartDialog(QWidget *parent = nullptr);
};

} // namespace zz
