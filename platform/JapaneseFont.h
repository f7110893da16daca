#pragma once

#include <QFont>
#include <QString>

// The dialog face "ＭＳ ゴシック" at 9.75 points, resolved to an installed,
// metric-compatible Japanese Gothic face, so that no Latin fallback face draws
// the Latin letters and no caption shows missing-glyph boxes.
class JapaneseFont {
public:
    static QString designFamily() { return QStringLiteral("ＭＳ ゴシック"); }

    // Registers the substitution once; safe to call again.
    static void install();

    // The design font (family "ＭＳ ゴシック", 9.75 points, regular).
    static QFont font();

    // The installed face the design family resolves to (empty when none is installed).
    static QString resolvedFamily();
};
