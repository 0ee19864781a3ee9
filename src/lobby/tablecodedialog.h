#pragma once
// Shows a private table's code, to read to friends or paste to them.
#include <QDialog>

namespace zz {

class TableCodeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TableCodeDialog(const QString &code, QWidget *parent = nullptr);

    void copyClicked();

private:
    QString m_code;
};

} // namespace zz
