#include "spylistwindow.h"

#include "core/names.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

SpyListWindow::SpyListWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("spylist"));
    setWindowTitle(QString::fromUtf8(caption::SpyList));

    auto *title = new QLabel(QString::fromUtf8(label::SpyList), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));

    auto *done = new QPushButton(QString::fromUtf8(label::Done), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(m_list);
    layout->addWidget(done, 0, Qt::AlignHCenter);
    setFixedSize(220, 260);
}

QString SpyListWindow::entryText(int seat, const QString &name)
{
    return QString::number(seat) + QStringLiteral(": ") + name;
}

void SpyListWindow::addSpy(int seat, const QString &name)
{
    m_list->addItem(entryText(seat, name));
}

bool SpyListWindow::removeSpy(int seat, const QString &name)
{
    const auto found = m_list->findItems(entryText(seat, name), Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    delete m_list->takeItem(m_list->row(found.front()));
    return true;
}

QStringList SpyListWindow::spies() const
{
    QStringList entries;
    for (int row = 0; row < m_list->count(); ++row)
        entries << m_list->item(row)->text();
    return entries;
}

} // namespace zz
