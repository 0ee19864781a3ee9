#include "announcer.h"

namespace zz {

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("announcer"));
    // Shown but without a size: the tree lists it as showing, the eye sees nothing.
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
}

void Announcer::announce(const QString &text)
{
    if (text.isEmpty())
        return;
    m_last = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent spoken(this, text);
    QAccessible::updateAccessibility(&spoken);
#else
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
#endif
    Q_EMIT announced(text);
}

AnnouncerAccessible::AnnouncerAccessible(QWidget *announcer) : QAccessibleWidget(announcer, QAccessible::Notification)
{
}

QString AnnouncerAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return static_cast<const Announcer *>(widget())->lastAnnouncement();
    return QAccessibleWidget::text(t);
}

} // namespace zz
