#include "platform/JapaneseFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {
// Metric-compatible faces first, then other Japanese Gothic faces.
const char *const kCandidates[] = {"IPAGothic", "IPAゴシック", "IPAexGothic", "TakaoGothic",
                                   "VL Gothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"};
}

void JapaneseFont::install()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList installed = QFontDatabase::families();
    QStringList substitutes;
    for (const char *name : kCandidates) {
        const QString family = QString::fromUtf8(name);
        if (installed.contains(family))
            substitutes << family;
    }
    if (!substitutes.isEmpty())
        QFont::insertSubstitutions(designFamily(), substitutes);
}

QFont JapaneseFont::font()
{
    QFont f(designFamily());
    f.setPointSizeF(9.75);
    f.setWeight(QFont::Normal);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

QString JapaneseFont::resolvedFamily()
{
    const QStringList subs = QFont::substitutes(designFamily());
    return subs.isEmpty() ? QString() : subs.first();
}
