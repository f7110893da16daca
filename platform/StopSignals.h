#pragma once

#include <QObject>

// SIGTERM and SIGINT, the way a desktop's screen saver or a terminal asks the
// program to end, are taken like a window manager's close: every visible window
// of the program is closed, so a show unloads as it does on input (status 0,
// lock released, pointer restored). The handler only writes to a pipe; the
// closing happens in the event loop. One object at a time; POSIX only.
class StopSignals : public QObject {
    Q_OBJECT
public:
    StopSignals();
    ~StopSignals() override;

private:
    void closeWindows();

    int readEnd_ = -1;
};
