#pragma once

#include <QString>

// What the process knows about its own start.
class ProcessInfo {
public:
    // The command line after the program's name: the arguments joined by single
    // blanks, exactly as the process got them (to be taken before Qt removes its
    // own options from argv).
    static QString argumentText(int argc, const char *const *argv);

    // The folder of the running program file, without a trailing "/" except at "/".
    static QString programFolder();
};
