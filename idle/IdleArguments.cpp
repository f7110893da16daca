#include "idle/IdleArguments.h"

#include <QRegularExpression>

namespace {
constexpr int kDefaultMinutes = 10;

IdleArguments bad(const QString &reason)
{
    IdleArguments result;
    result.reason = reason;
    return result;
}
}

IdleArguments IdleArguments::parse(const QStringList &arguments)
{
    if (arguments.size() > 1)
        return bad("one idle time at most");
    const QString text = arguments.value(0, QString::number(kDefaultMinutes));
    if (text == "--help" || text == "-h")
        return {Kind::Help, 0, {}};
    static const QRegularExpression form(QRegularExpression::anchoredPattern("([0-9]+)(s?)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return bad(QString("\"%1\" is no idle time").arg(text));
    // Digits only, so a failed conversion means a number beyond 64 bits.
    bool fits = false;
    const qint64 count = match.captured(1).toLongLong(&fits);
    const bool inSeconds = match.capturedLength(2) > 0;
    if (fits && count == 0)
        return bad("the idle time must be longer than 0");
    if (!fits || count > (inSeconds ? kMaxSeconds : kMaxSeconds / 60))
        return bad(QString("the idle time is at most %1 minutes (%2s)").arg(kMaxSeconds / 60).arg(kMaxSeconds));
    return {Kind::Run, int(inSeconds ? count : count * 60), {}};
}

QString IdleArguments::usageLine()
{
    return "usage: vistello-idle [MINUTES | SECONDSs]   (default: 10 minutes)";
}
