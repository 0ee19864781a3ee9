#pragma once
#include <QWidget>

namespace zz {

// How to play, in a window of its own.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
};

} // namespace zz
