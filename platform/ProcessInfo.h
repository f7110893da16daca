#pragma once

#include <QString>
#include <QStringList>

// What the process knows about its own start.
class ProcessInfo {
public:
    // The command line after the program's name: the arguments joined by single blanks.
    static QString argumentText(const QStringList &arguments);

    // The folder of the running program file, without a trailing "/" except at "/".
    static QString programFolder();
};
