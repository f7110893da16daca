#pragma once

#include <QString>

// Conversions between numbers and the texts of the settings file and the dialog.
class NumberText {
public:
    // Skips blanks, tabs and line feeds anywhere, then reads an optional sign,
    // digits and an optional "." with more digits, up to the first character that
    // cannot continue the number. No leading number gives 0. Only decimal
    // notation counts ("1e309" gives 1, "0x10" gives 0, "nan" gives 0); a number
    // too large for a double gives the largest finite one; -0 gives 0.
    static double LeadingNumber(const QString &text);

    // Shortest decimal text that reads back to the same value ("9", "2.5", "-0.1"),
    // always with "." and never with an exponent. NaN gives "0"; an infinity
    // gives the largest finite double.
    static QString ShortestText(double value);

    // The print form of the settings file: a blank or "-", the shortest text, a blank.
    static QString PrintForm(double value);

    // The nearest whole number, an exact half to the even neighbour; clamped to
    // the range of int, with NaN giving 0.
    static int RoundHalfEven(double value);
};
