#include "spylistwindow.h"

#include "ui/escapekey.h"
#include "ui/tiledlook.h"
#include "core/names.h"
#include "core/wire.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace zz {

SpyListWindow::SpyListWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Tspylist"));
    setWindowTitle(QString::fromUtf8(caption::SpyList));
    ui::tileBackground(*this);

    auto *title = new QLabel(QString::fromUtf8(label::SpyList), this);
    title->setObjectName(QStringLiteral("label_title"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setAccessibleName(QString::fromUtf8(label::SpyList));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &SpyListWindow::listMenuRequested);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("popup_kick"));
    m_kickHim = m_menu->addAction(QString::fromUtf8(label::RemoveFromGame));
    m_kickHim->setObjectName(QStringLiteral("popup_kickhim"));
    m_kickHim->setEnabled(false);
    connect(m_kickHim, &QAction::triggered, this, &SpyListWindow::kickHimClicked);

    auto *done = new QPushButton(QString::fromUtf8(label::Done), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    ui::escapeClicks(*done);

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

std::optional<int> SpyListWindow::entrySeat(const QString &entry)
{
    const qsizetype colon = entry.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    return wire::toInteger(entry.left(colon).toStdString());
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
    const std::unique_ptr<QListWidgetItem> taken(m_list->takeItem(m_list->row(found.front())));
    return true;
}

QStringList SpyListWindow::spies() const
{
    QStringList entries;
    for (int row = 0; row < m_list->count(); ++row)
        entries << m_list->item(row)->text();
    return entries;
}

void SpyListWindow::setKickEnabled(bool enabled)
{
    m_kickHim->setEnabled(enabled);
}

void SpyListWindow::listMenuRequested(const QPoint &at)
{
    // The entry under the click, not under wherever the pointer moved since.
    const QListWidgetItem *item = m_list->itemAt(at);
    m_menuEntry = item ? item->text() : QString();
    m_menu->popup(m_list->viewport()->mapToGlobal(at));
}

void SpyListWindow::kickHimClicked()
{
    // Kept by text, not by row: a spy who leaves while the menu is open must
    // not pass the removal on to the entry that moved up into his row.
    if (m_menuEntry.isEmpty() || !spies().contains(m_menuEntry))
        return;
    if (const auto seat = entrySeat(m_menuEntry))
        Q_EMIT kickRequested(*seat);
}

} // namespace zz
