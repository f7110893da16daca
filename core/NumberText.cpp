#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

double NumberText::LeadingNumber(const QString &text)
{
    // Whitespace is skipped even between digits, so "1 2" reads as 12. Only
    // plain decimal notation is read: "1e309" is 1 and "0x10" is 0.
    bool negative = false;
    bool started = false;
    bool pointSeen = false;
    std::string whole;
    std::string fraction;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        if (u >= u'0' && u <= u'9') {
            (pointSeen ? fraction : whole).push_back(static_cast<char>(u));
        } else if ((u == u'+' || u == u'-') && !started) {
            negative = u == u'-';
        } else if (u == u'.' && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
        started = true;
    }
    if (whole.empty() && fraction.empty())
        return 0;

    std::string digits = whole.empty() ? std::string("0") : whole;
    if (!fraction.empty())
        digits += '.' + fraction;
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                              std::chars_format::fixed);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large for a double: the largest finite one, so that no infinity
        // ever reaches the record or the file. Too small: zero.
        const bool large = whole.find_first_not_of('0') != std::string::npos;
        value = large ? std::numeric_limits<double>::max() : 0.0;
    } else if (error != std::errc()) {
        value = 0;
    }
    if (value == 0)
        return 0;  // never -0
    return negative ? -value : value;
}

QString NumberText::ShortestText(double value)
{
    // Never infinity or NaN: neither could be read back.
    if (std::isnan(value) || value == 0)
        return QStringLiteral("0");
    if (std::isinf(value))
        value = std::copysign(std::numeric_limits<double>::max(), value);
    // Fixed notation at its shortest round-trip length: no exponent, which the
    // reading side does not understand. The longest (5e-324) takes 327 chars.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buffer, end - buffer);
}

QString NumberText::PrintForm(double value)
{
    const QString text = ShortestText(value);
    if (text.startsWith(QLatin1Char('-')))
        return text + QLatin1Char(' ');
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}

int NumberText::RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    // nearbyint rounds in the default mode, which sends halves to the even neighbour.
    return static_cast<int>(std::clamp(std::nearbyint(value), static_cast<double>(INT_MIN),
                                       static_cast<double>(INT_MAX)));
}
