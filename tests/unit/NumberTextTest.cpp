#include "settings/NumberText.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {
constexpr double kMax = std::numeric_limits<double>::max();
}

TEST(NumberTextTest, LeadingNumber)
{
    const QString nines(400, QLatin1Char('9'));
    const std::pair<QString, double> cases[] = {
        {" 9 ", 9}, {"2.5", 2.5}, {"2abc", 2}, {"abc", 0}, {"", 0}, {"-2.5 ", -2.5}, {"+7", 7}, {".5", 0.5},
        {"5.", 5}, {"1.2.3", 1.2}, {".", 0}, {"-", 0}, {"--3", 0}, {"\r5", 0}, {"９", 0},
        // blanks, tabs and line feeds are skipped anywhere; other white space ends the number
        {"\t 1 2\n3", 123}, {" - 2 . 5 x 7", -2.5}, {"1\r2", 1}, {"1\u30002", 1},
        // decimal notation only; never an infinity
        {"1e309", 1}, {"0x10", 0}, {"nan", 0}, {"inf", 0}, {"99999999999", 99999999999.0},
        {nines, kMax}, {"-" + nines, -kMax}, {"0." + QString(400, QLatin1Char('0')) + "1", 0},
        {"1" + QString(1'000'000, QLatin1Char('0')), kMax}};
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(NumberText::LeadingNumber(text), expected) << text.left(40).toStdString();
    EXPECT_FALSE(std::signbit(NumberText::LeadingNumber(QStringLiteral("-0"))));
}

TEST(NumberTextTest, ShortestTextAndPrintForm)
{
    const std::pair<double, const char *> cases[] = {
        {9, "9"}, {2.5, "2.5"}, {-0.1, "-0.1"}, {0.1 + 0.2, "0.30000000000000004"},
        {1e22, "10000000000000000000000"}, {1e-7, "0.0000001"}, {-0.0, "0"}, {std::nan(""), "0"}};
    for (const auto &[value, text] : cases)
        EXPECT_EQ(NumberText::ShortestText(value), QLatin1String(text));
    EXPECT_EQ(NumberText::ShortestText(HUGE_VAL), NumberText::ShortestText(kMax));
    EXPECT_EQ(NumberText::PrintForm(9), QStringLiteral(" 9 "));
    EXPECT_EQ(NumberText::PrintForm(-2.5), QStringLiteral("-2.5 "));
    EXPECT_EQ(NumberText::PrintForm(-0.0), QStringLiteral(" 0 "));

    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(NumberText::ShortestText(2.5), QStringLiteral("2.5"));
    QLocale::setDefault(before);
}

TEST(NumberTextTest, PrintedNumbersReadBackToTheSameValue)
{
    std::mt19937_64 random(20240611);
    std::vector<double> values = {kMax, -kMax, std::numeric_limits<double>::denorm_min(), 123456789.125};
    while (values.size() < 2000) {
        const uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const double value : values) {
        const QString printed = NumberText::PrintForm(value);
        ASSERT_FALSE(printed.contains(QLatin1Char('e'))) << printed.toStdString();
        ASSERT_EQ(NumberText::LeadingNumber(printed), value) << printed.toStdString();
    }
}

TEST(NumberTextTest, RoundHalfEven)
{
    const std::pair<double, int> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999999, 2}, {2.5000001, 3},
        {-2.6, -3}, {std::nan(""), 0}, {1e20, INT_MAX}, {-HUGE_VAL, INT_MIN}};
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(NumberText::RoundHalfEven(value), expected) << value;
}
