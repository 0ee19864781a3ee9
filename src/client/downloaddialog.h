#pragma once
#include <QDialog>

namespace zz {

// Shown at the start of a solo game: points to the matchmaking program that
// starts multi-player tables.
class DownloadDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DownloadDialog(QWidget *parent = nullptr);
};

} // namespace zz
