#include "enterkey.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace zz::ui {

namespace {

class EnterActivates : public QObject
{
public:
    explicit EnterActivates(QAbstractItemView &view) : QObject(&view), m_view(view) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                           && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const QModelIndex current = m_view.currentIndex();
        if (!enter || !current.isValid())
            return QObject::eventFilter(watched, event);
        Q_EMIT m_view.activated(current);
        return true;
    }

private:
    QAbstractItemView &m_view;
};

} // namespace

void enterActivates(QAbstractItemView &view)
{
    view.installEventFilter(new EnterActivates(view));
}

} // namespace zz::ui
