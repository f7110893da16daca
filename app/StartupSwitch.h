#pragma once

#include <QString>

// The screen-saver host's switch: the first two characters of the argument text,
// compared exactly with "/s", "/S", "/p", "/P", "/c", "/C", "/a", "/A" in turn.
class StartupSwitch {
public:
    enum class Action { RunShow, Preview, Configure, Password, End };

    static QString Take(const QString &argumentText) { return argumentText.left(2); }
    static Action Classify(const QString &argumentText);
};
