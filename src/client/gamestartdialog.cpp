#include "gamestartdialog.h"

#include "core/names.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

GameStartDialog::GameStartDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("gamestart"));
    setWindowTitle(QString::fromUtf8(caption::GameStart));
    setModal(false);

    auto *title = new QLabel(QString::fromUtf8(label::GameOptions), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto *close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(close, 0, Qt::AlignHCenter);
    setFixedSize(257, 273);
}

} // namespace zz
