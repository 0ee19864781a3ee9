#pragma once
// The window that shows the record of games and wins.
#include <QWidget>

namespace zz {

class TallyWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TallyWindow(QWidget *parent = nullptr);
};

} // namespace zz
