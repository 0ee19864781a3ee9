#include "lobby/tablecodedialog.h"

#include "ui/tiledlook.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

TableCodeDialog::TableCodeDialog(const QString &code, QWidget *parent) : QDialog(parent), m_code(code)
{
    setObjectName(QStringLiteral("tablecode"));
    setWindowTitle(QStringLiteral("Your Private Table"));
    ui::tileBackground(*this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Give your friends this code; they type it in Join a table:"), this));
    auto *shown = new QLabel(code, this);
    shown->setObjectName(QStringLiteral("label_tablecode"));
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = shown->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    shown->setFont(big);
    layout->addWidget(shown, 0, Qt::AlignHCenter);
    auto *note = new QLabel(QStringLiteral("Anyone who has the code can join. Private means Quick Match never "
                                           "sends strangers here; it is not a lock."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *buttons = new QHBoxLayout;
    auto *copy = new QPushButton(QStringLiteral("Copy"), this);
    copy->setObjectName(QStringLiteral("button_copycode"));
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("button_close"));
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(copy, &QPushButton::clicked, this, &TableCodeDialog::copyClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TableCodeDialog::copyClicked()
{
    QGuiApplication::clipboard()->setText(m_code);
}

} // namespace zz
