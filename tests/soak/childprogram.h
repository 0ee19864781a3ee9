#pragma once
// A zigzop process the soak starts: its output arrives line by line, and the
// soak learns when it ends.
#include <QMap>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace zz::soak {

class ChildProgram : public QObject
{
    Q_OBJECT
public:
    // label names the process in messages ("host", "bot SoakBot2").
    // A process still running when this goes is killed.
    ChildProgram(QString program, QString label, QObject *parent = nullptr);

    // Set before start(): one variable of the program's environment.
    void setEnvironmentValue(const QString &name, const QString &value);
    void start(const QStringList &arguments);
    // SIGTERM: the program ends in order.
    void terminate() { m_process.terminate(); }
    void kill() { m_process.kill(); }
    bool running() const { return m_process.state() == QProcess::Running; }
    long long pid() const { return m_process.processId(); }
    const QString &label() const { return m_label; }
    // The last few lines on standard error, and every line so far by its
    // kind: the line with each number in it written as N.
    const QStringList &lastErrorLines() const { return m_lastErrors; }
    const QMap<QString, int> &errorKinds() const { return m_errorKinds; }
    // How it ended, for messages: "exit code 0", "crashed".
    QString ending() const;

Q_SIGNALS:
    void lineRead(const QString &line);
    void ended();

private:
    void readOutput();
    void readErrors();

    QProcess m_process;
    QString m_program;
    QString m_label;
    QMap<QString, int> m_errorKinds;
    QStringList m_lastErrors;
};

} // namespace zz::soak
