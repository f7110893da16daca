#pragma once

#include <QObject>

// SIGTERM and SIGINT, the way a desktop's screen saver, a session or a terminal
// asks the program to end. The handler only writes to a pipe; stopRequested()
// comes from the event loop, and requested() stays true from then on, so that
// code which opens a window later can see that the program is to end. One
// object at a time; POSIX only; needs no GUI.
class StopSignals : public QObject {
    Q_OBJECT
public:
    StopSignals();
    ~StopSignals() override;

    bool requested() const { return requested_; }

Q_SIGNALS:
    void stopRequested();

private:
    void drain();

    int readEnd_ = -1;
    bool requested_ = false;
};
