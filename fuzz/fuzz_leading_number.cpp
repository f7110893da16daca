// Any text through the number conversions of the settings file and the dialog.
#include "core/NumberText.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void check(bool condition, const char *what, const QString &text)
{
    if (!condition) {
        fprintf(stderr, "property broken: %s for \"%s\"\n", what, qPrintable(text));
        abort();
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = NumberText::LeadingNumber(text);
    check(std::isfinite(value), "finite", text);
    check(!std::signbit(value) || value != 0, "no negative zero", text);

    const QString shortest = NumberText::ShortestText(value);
    check(NumberText::LeadingNumber(shortest) == value, "shortest text reads back", text);
    check(!shortest.contains(QLatin1Char('e')) && !shortest.contains(QLatin1Char('E')), "no exponent", text);
    check(NumberText::LeadingNumber(NumberText::PrintForm(value)) == value, "print form reads back", text);

    const int rounded = NumberText::RoundHalfEven(value);
    if (std::fabs(value) < 1e9)
        check(std::fabs(rounded - value) <= 0.5, "rounding within a half", text);
    return 0;
}
