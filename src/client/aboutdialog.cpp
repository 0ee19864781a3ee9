#include "aboutdialog.h"

#include "ui/tiledlook.h"
#include "core/names.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QString::fromUtf8(caption::About));
    ui::tileBackground(*this);

    auto *name = new QLabel(QString::fromUtf8(ApplicationTitle), this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() * 2);
    name->setFont(big);
    auto *version = new QLabel(QStringLiteral("Version ") + QString::fromUtf8(VersionText), this);
    auto *blurb = new QLabel(QStringLiteral("A word-ladder party game for up to six players."), this);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : {static_cast<QWidget *>(name), static_cast<QWidget *>(version), static_cast<QWidget *>(blurb)})
        layout->addWidget(w, 0, Qt::AlignHCenter);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zz
