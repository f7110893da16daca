#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <optional>

// An X server of the test's own: Xvfb on a free display number, started by the
// constructor and stopped by its process id in the destructor.
class XvfbSession {
public:
    explicit XvfbSession(QSize screen = QSize(1024, 768));
    ~XvfbSession();
    XvfbSession(const XvfbSession &) = delete;
    XvfbSession &operator=(const XvfbSession &) = delete;

    bool isRunning() const;
    QString display() const { return display_; }
    QSize screenSize() const { return size_; }
    // The environment for programs on this display (xcb platform, DISPLAY set).
    QProcessEnvironment environment() const;

    // The whole screen as the X server holds it (no pointer in it).
    QImage screenshot() const;
    // Whether every pixel of the screen is black: the show covers it (the root
    // window of this server is white).
    bool screenIsBlack() const;
    // Runs xdotool with the arguments on this display; true when it exited with 0.
    bool xdotool(const QStringList &arguments, QString *output = nullptr) const;
    // Whether the pointer currently shows a non-blank cursor image.
    std::optional<bool> pointerVisible() const;
    // Runs a helper tool on this display and returns its standard output.
    std::optional<QString> run(const QString &program, const QStringList &arguments, int timeoutMs = 10000) const;

private:
    QSize size_;
    QString display_;
    // The programs' runtime folder (and so their single-instance locks) belongs to
    // this session, so test runs that happen at the same time do not see each other.
    QTemporaryDir runtime_;
    std::unique_ptr<QProcess> server_;
};

// One run of a real program under an XvfbSession.
class ProgramRun {
public:
    ProgramRun(const XvfbSession &session, const QString &program, const QStringList &arguments,
               const QString &workingFolder);
    ~ProgramRun();

    bool started() const { return started_; }
    bool isRunning() const;
    // Waits for the program to end by itself; true when it did within the time.
    bool waitForExit(int timeoutMs);
    int exitCode() const;
    QProcess::ExitStatus exitStatus() const;
    QString errorOutput() const;
    qint64 processId() const;

private:
    std::unique_ptr<QProcess> process_;
    bool started_ = false;
};

// Copies a built program into a folder (its settings file then lives there too)
// and returns the copy's path.
QString copyProgram(const QString &builtProgram, const QString &folder);

// The run ended by itself within the time, normally, with status 0.
::testing::AssertionResult endedWithStatus0(ProgramRun &run, int timeoutMs = 10000);

// Polls the condition, letting events run, until it holds or the time is up.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int stepMs = 50);

// Counts the pixels of a colour (exact RGB) in an image.
int countPixels(const QImage &image, QRgb color);
