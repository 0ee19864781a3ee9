#include "downloaddialog.h"

#include "ui/tiledlook.h"
#include "core/names.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

DownloadDialog::DownloadDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("download"));
    setWindowTitle(QString::fromUtf8(caption::Download));
    ui::tileBackground(*this);
    setModal(false);

    auto *text = new QLabel(QStringLiteral("You are playing a solo game. To play with others, start the game "
                                           "from the Plazo program, which finds a table for you."),
                            this);
    text->setWordWrap(true);

    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("button_close"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    setFixedWidth(340);
}

} // namespace zz
