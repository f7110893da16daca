#pragma once

#include "support/TestFiles.h"

#include <QProcess>
#include <QRect>
#include <QStringList>
#include <gtest/gtest.h>
#include <optional>
#include <string>

// An X server of the test's own (Xvfb, white root window) for the life of the object.
// Its programs get a runtime folder of their own, so their single-instance locks
// never meet another test run's. Wait for what they do with QTest::qWaitFor.
class XvfbSession {
public:
    explicit XvfbSession(QSize screen = QSize(800, 600));
    ~XvfbSession();

    bool isRunning() const { return !display_.isEmpty() && server_.state() == QProcess::Running; }
    // The environment of programs on this display (xcb, DISPLAY, runtime folder).
    QProcessEnvironment environment() const;
    // Starts openbox and waits until it manages the screen.
    bool startWindowManager();

    // Runs a tool on this display (xdotool, xrandr, xset ...): its output if it ended with status 0.
    std::optional<QByteArray> run(const QString &program, const QStringList &arguments, int timeoutMs = 10000) const;
    bool xdotool(const QStringList &arguments) const { return run("xdotool", arguments).has_value(); }
    bool moveTo(QPoint at) const { return xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}); }
    // The first visible window whose name matches the pattern, once it is there; empty if none came.
    QString findWindow(const QString &namePattern, int timeoutMs = 15000) const;

    // The screen as the server holds it; the pointer is never in it.
    QImage screenshot() const;
    bool screenIsBlack() const { return countPixels(screenshot(), Qt::black, 0) == size_.width() * size_.height(); }
    // Whether the pointer shows a cursor image with any visible pixel (asked with tests/tools/cursor_probe).
    std::optional<bool> pointerVisible() const;

private:
    QSize size_;
    QString display_;
    QTemporaryDir runtime_;
    QProcess server_;
    QProcess windowManager_;
};

// One run of a real program on an XvfbSession, killed if it still runs at the end.
class ProgramRun {
public:
    // environment: "NAME=value" entries added to the session's.
    ProgramRun(const XvfbSession &session, const QString &program, const QStringList &arguments,
               const QString &workingFolder, const QStringList &environment = {});
    ~ProgramRun() { process_.kill(); process_.waitForFinished(5000); }

    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    qint64 processId() const { return process_.processId(); }
    // The run ended by itself within the time, normally, with the status.
    ::testing::AssertionResult ended(int status = 0, int timeoutMs = 10000);
    std::string errorOutput() { return process_.readAllStandardError().toStdString(); }

private:
    QProcess process_;
};

// Copies a built program into a folder (its settings file then lives there too); returns the copy.
QString copyProgram(const QString &builtProgram, const QString &folder);
