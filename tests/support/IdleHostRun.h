#pragma once

#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>

// A copy of vistello-idle beside a stand-in for Vistello (tests/tools/fullscreen_window) that
// notes each start, so that a test of the host never hangs on the show; killed at the end, with its shows.
class IdleHostRun {
public:
    static constexpr int kLimitMs = 2000;   // the "2s" the host runs with unless told otherwise

    IdleHostRun(const QProcessEnvironment &environment, const QStringList &arguments = {"2s"});
    ~IdleHostRun();

    // The process ids of the shows started so far.
    QList<qint64> shows() const;
    // The next show comes, but not before the limit since the given time.
    ::testing::AssertionResult showComes(const QElapsedTimer &since);
    bool noShowFor(int ms) const;
    // The host ended by itself with the status, and every show it started is gone.
    ::testing::AssertionResult ended(int status);
    // Only to a running host: the id 0 of a finished one would signal the whole process group.
    bool signal(int number) const { return process_.processId() > 0 && ::kill(pid_t(process_.processId()), number) == 0; }
    // Whether the show started as the index-th still runs (its id not taken by another program since).
    bool showRunning(int index) const;
    bool endShow(int index) const { return showRunning(index) && ::kill(pid_t(shows()[index]), SIGTERM) == 0; }
    std::string said() { return process_.readAllStandardError().toStdString(); }

private:
    ScratchFolder folder_;
    QProcess process_;
};
