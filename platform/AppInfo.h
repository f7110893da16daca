#pragma once

#include "VistelloVersion.h"

#include <QString>

// Names and version of the program; the version and the title come from the
// build (cmake/Version.cmake), which also gives them to the package and the
// Windows version resource.
class AppInfo {
public:
    static QString title() { return QStringLiteral(VISTELLO_PRODUCT_NAME); }
    static QString version() { return QStringLiteral(VISTELLO_VERSION_TEXT); }
    static QString saverProgramName() { return QStringLiteral("Vistello"); }
    static QString manualProgramName() { return QStringLiteral("Vistello_manual"); }
};
