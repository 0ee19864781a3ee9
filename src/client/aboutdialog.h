#pragma once
#include <QDialog>

namespace zz {

// The game's name and version.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};

} // namespace zz
