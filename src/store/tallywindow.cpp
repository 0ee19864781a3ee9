#include "tallywindow.h"

#include "core/names.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

TallyWindow::TallyWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("tallylist"));
    setWindowTitle(QString::fromUtf8(caption::TallyList));

    auto *title = new QLabel(QString::fromUtf8(label::YourTotalTally), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list_games"));

    auto *done = new QPushButton(QString::fromUtf8(label::Done), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(m_list, 1);
    layout->addWidget(done, 0, Qt::AlignHCenter);
    resize(360, 280);
}

void TallyWindow::addGame(const QString &winner)
{
    m_games.append(winner);
    m_list->addItem(winner);
}

} // namespace zz
