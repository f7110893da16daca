#pragma once

#include <QString>
#include <QStringList>

// The command line of vistello-idle: [MINUTES | SECONDSs], default 10 minutes, or --help.
struct IdleArguments {
    enum class Kind { Run, Help, Bad };

    Kind kind = Kind::Bad;
    int seconds = 0;     // the idle time limit, for Run
    QString reason;      // why the line is refused, for Bad

    // arguments: without the program's name.
    static IdleArguments parse(const QStringList &arguments);
    static QString usageLine();

    // The X server keeps its screen-saver timeout as a signed 16-bit count of seconds.
    static constexpr int kMaxSeconds = 32767;
};
