#pragma once

#include "support/TestFiles.h"

#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <string>

// A display server of the test's own (an X server or a Wayland compositor), driven as
// a person would: keys, pointer moves and clicks, screenshots. Its programs get a runtime
// folder of their own, so their locks never meet another run's. Wait with QTest::qWaitFor.
class DisplaySession {
public:
    virtual ~DisplaySession() = default;

    virtual bool isRunning() const = 0;
    // The environment of programs in this session (platform plugin, display, runtime folder).
    virtual QProcessEnvironment environment() const = 0;
    // Runs a tool in this session: its output if it ended with status 0.
    std::optional<QByteArray> run(const QString &program, const QStringList &arguments, int timeoutMs = 10000) const;

    // Keys one after another, by their keysym names ("x", "Tab", "Return").
    virtual bool keys(const QStringList &names) const = 0;
    // The pointer to a place of the screenshot, and the left button clicked there.
    virtual bool moveTo(QPoint at) const = 0;
    virtual bool click() const = 0;
    // All outputs as shown, without the pointer.
    virtual QImage screenshot() const = 0;
    bool screenIsBlack() const;
    // Whether a pointer is drawn; empty when that cannot be told.
    virtual std::optional<bool> pointerVisible() const = 0;

protected:
    QTemporaryDir runtime_;
};

// One run of a real program in a DisplaySession, killed if it still runs at the end.
class ProgramRun {
public:
    // environment: "NAME=value" entries added to the session's.
    ProgramRun(const DisplaySession &session, const QString &program, const QStringList &arguments,
               const QString &workingFolder, const QStringList &environment = {});
    ~ProgramRun() { process_.kill(); process_.waitForFinished(5000); }

    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    qint64 processId() const { return process_.processId(); }
    // Sends a signal to the run, never to another process (a run that ended has no id).
    bool signal(int number) const { return isRunning() && ::kill(static_cast<pid_t>(processId()), number) == 0; }
    // The run ended by itself within the time, normally, with the status.
    ::testing::AssertionResult ended(int status = 0, int timeoutMs = 10000);
    std::string errorOutput() { return process_.readAllStandardError().toStdString(); }

private:
    QProcess process_;
};

// Copies a built program into a folder (its settings file then lives there too); returns the copy.
QString copyProgram(const QString &builtProgram, const QString &folder);
