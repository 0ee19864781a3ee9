#pragma once
// Catches what Qt's logging reports as a warning or worse while it lives.
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zz::test {

class WarningCatcher
{
public:
    WarningCatcher() : m_previous(qInstallMessageHandler(&WarningCatcher::keep)) { s_current = this; }
    ~WarningCatcher()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    WarningCatcher(const WarningCatcher &) = delete;
    WarningCatcher &operator=(const WarningCatcher &) = delete;

    QStringList warnings;

private:
    static void keep(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (s_current && type != QtDebugMsg && type != QtInfoMsg)
            s_current->warnings.append(text);
    }

    inline static WarningCatcher *s_current = nullptr;
    QtMessageHandler m_previous;
};

} // namespace zz::test
