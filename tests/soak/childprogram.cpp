#include "childprogram.h"

#include <QRegularExpression>

#include <utility>

namespace zz::soak {

namespace {
constexpr int KeptErrorLines = 5;
}

ChildProgram::ChildProgram(QString program, QString label, QObject *parent)
    : QObject(parent), m_program(std::move(program)), m_label(std::move(label))
{
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &ChildProgram::readOutput);
    connect(&m_process, &QProcess::readyReadStandardError, this, &ChildProgram::readErrors);
    connect(&m_process, &QProcess::finished, this, &ChildProgram::ended);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Q_EMIT ended();
    });
}

void ChildProgram::setEnvironmentValue(const QString &name, const QString &value)
{
    QProcessEnvironment environment = m_process.processEnvironment();
    if (environment.isEmpty())
        environment = QProcessEnvironment::systemEnvironment();
    environment.insert(name, value);
    m_process.setProcessEnvironment(environment);
}

void ChildProgram::start(const QStringList &arguments)
{
    m_process.start(m_program, arguments);
}

QString ChildProgram::ending() const
{
    if (m_process.error() == QProcess::FailedToStart)
        return QStringLiteral("failed to start");
    if (m_process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("crashed");
    return QStringLiteral("exit code %1").arg(m_process.exitCode());
}

void ChildProgram::readOutput()
{
    while (m_process.canReadLine())
        Q_EMIT lineRead(QString::fromLocal8Bit(m_process.readLine()).trimmed());
}

void ChildProgram::readErrors()
{
    m_process.setReadChannel(QProcess::StandardError);
    static const QRegularExpression number(QStringLiteral("\\d+"));
    while (m_process.canReadLine()) {
        const QString line = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        ++m_errorKinds[QString(line).replace(number, QStringLiteral("N"))];
        m_lastErrors << line;
        if (m_lastErrors.size() > KeptErrorLines)
            m_lastErrors.removeFirst();
    }
    m_process.setReadChannel(QProcess::StandardOutput);
}

} // namespace zz::soak
