#include "guarded.h"

#include "core/names.h"

#include <QApplication>
#include <QMessageBox>
#include <QtDebug>

namespace zz {

void reportError(const QString &text) noexcept
{
    qWarning().noquote() << text;
    try {
        auto *box = new QMessageBox(QMessageBox::Critical, QString::fromUtf8(ApplicationTitle), text,
                                    QMessageBox::Ok, QApplication::activeWindow());
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    } catch (...) {
        // Out of memory while reporting: the warning above is all we can do.
    }
}

} // namespace zz
