#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

// The show, "Vistello /s", run as a child: the Vistello installed beside the idle
// host, else the one on the PATH. Its output goes where the host's goes.
class ShowProcess : public QObject {
    Q_OBJECT
public:
    explicit ShowProcess(QObject *parent = nullptr);

    // Empty when no Vistello is found beside hostFolder nor on the PATH.
    static QString findProgram(const QString &hostFolder);

    void setProgram(const QString &program) { program_ = program; }
    void start();
    bool running() const { return process_.state() != QProcess::NotRunning; }
    // Ends a running show the way a desktop does (SIGTERM), killing it if it lingers.
    void end();

Q_SIGNALS:
    // The show ended, or could not be started.
    void ended();

private:
    QString program_;
    QProcess process_;
};
