#pragma once

#include <QString>

// Names and version of the program, kept in one place.
class AppInfo {
public:
    static QString title() { return QStringLiteral("SCRNSAVE:Vistello"); }
    static QString version() { return QStringLiteral("1.00"); }
    static QString saverProgramName() { return QStringLiteral("Vistello"); }
    static QString manualProgramName() { return QStringLiteral("Vistello_manual"); }
};
