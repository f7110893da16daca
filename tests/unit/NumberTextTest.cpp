#include "settings/NumberText.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {
constexpr double kMax = std::numeric_limits<double>::max();
}

TEST(NumberTextTest, LeadingNumberReadsTheNumberAtTheStart)
{
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral(" 9 ")), 9);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("2.5")), 2.5);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("2abc")), 2);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("abc")), 0);
    EXPECT_EQ(NumberText::LeadingNumber(QString()), 0);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("-2.5 ")), -2.5);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("+7")), 7);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("5.")), 5);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("1.2.3")), 1.2);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("00012")), 12);
    for (const char *none : {".", "-", "+", "--3", "+-3", "-.", "\r5", "x1"})
        EXPECT_EQ(NumberText::LeadingNumber(QString::fromLatin1(none)), 0) << none;
    // Full-width digits are not digits here.
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("９")), 0);
}

TEST(NumberTextTest, LeadingNumberSkipsBlanksTabsAndLineFeedsAnywhere)
{
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("\t 1 2\n3")), 123);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral(" - 2 . 5 x 7")), -2.5);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("\n\n4")), 4);
    // Other white space ends the number.
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("1\r2")), 1);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("1\u30002")), 1);
}

TEST(NumberTextTest, LeadingNumberNeverGivesInfinityNanOrNegativeZero)
{
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("1e309")), 1);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("0x10")), 0);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("nan")), 0);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("inf")), 0);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("99999999999")), 99999999999.0);

    const double minusZero = NumberText::LeadingNumber(QStringLiteral("-0"));
    EXPECT_EQ(minusZero, 0);
    EXPECT_FALSE(std::signbit(minusZero));

    const QString nines(400, QLatin1Char('9'));
    EXPECT_EQ(NumberText::LeadingNumber(nines), kMax);
    EXPECT_EQ(NumberText::LeadingNumber(QLatin1Char('-') + nines), -kMax);
    EXPECT_EQ(NumberText::LeadingNumber(QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QLatin1Char('1')), 0);
    // A number of a million digits is read without trouble.
    EXPECT_EQ(NumberText::LeadingNumber(QLatin1Char('1') + QString(1'000'000, QLatin1Char('0'))), kMax);
}

TEST(NumberTextTest, ShortestTextIsPlainDecimal)
{
    EXPECT_EQ(NumberText::ShortestText(9), QStringLiteral("9"));
    EXPECT_EQ(NumberText::ShortestText(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(NumberText::ShortestText(-0.1), QStringLiteral("-0.1"));
    EXPECT_EQ(NumberText::ShortestText(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
    EXPECT_EQ(NumberText::ShortestText(1e22), QStringLiteral("10000000000000000000000"));
    EXPECT_EQ(NumberText::ShortestText(1e-7), QStringLiteral("0.0000001"));
    EXPECT_EQ(NumberText::ShortestText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(NumberText::ShortestText(std::nan("")), QStringLiteral("0"));
    EXPECT_EQ(NumberText::ShortestText(HUGE_VAL), NumberText::ShortestText(kMax));
    EXPECT_EQ(NumberText::ShortestText(-HUGE_VAL), NumberText::ShortestText(-kMax));

    // The user's locale never changes the separator.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(NumberText::ShortestText(2.5), QStringLiteral("2.5"));
    QLocale::setDefault(before);
}

TEST(NumberTextTest, WrittenNumbersReadBackToTheSameValue)
{
    std::mt19937_64 random(20240611);
    std::vector<double> values = {kMax, -kMax, std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(), 1e300, 123456789.125, -3};
    for (int i = 0; i < 2000; ++i) {
        uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const double value : values) {
        const QString printed = NumberText::PrintForm(value);
        ASSERT_FALSE(printed.contains(QLatin1Char('e'))) << printed.toStdString();
        EXPECT_EQ(NumberText::LeadingNumber(printed), value) << printed.toStdString();
    }
}

TEST(NumberTextTest, PrintFormPutsBlankOrMinusBeforeAndBlankAfter)
{
    EXPECT_EQ(NumberText::PrintForm(9), QStringLiteral(" 9 "));
    EXPECT_EQ(NumberText::PrintForm(-2.5), QStringLiteral("-2.5 "));
    EXPECT_EQ(NumberText::PrintForm(-0.0), QStringLiteral(" 0 "));
    EXPECT_EQ(NumberText::PrintForm(std::nan("")), QStringLiteral(" 0 "));
}

TEST(NumberTextTest, RoundHalfEvenRoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(NumberText::RoundHalfEven(0.5), 0);
    EXPECT_EQ(NumberText::RoundHalfEven(1.5), 2);
    EXPECT_EQ(NumberText::RoundHalfEven(2.5), 2);
    EXPECT_EQ(NumberText::RoundHalfEven(-0.5), 0);
    EXPECT_EQ(NumberText::RoundHalfEven(-1.5), -2);
    EXPECT_EQ(NumberText::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(NumberText::RoundHalfEven(2.4999999), 2);
    EXPECT_EQ(NumberText::RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(NumberText::RoundHalfEven(-2.6), -3);
    EXPECT_EQ(NumberText::RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(NumberText::RoundHalfEven(1e20), INT_MAX);
    EXPECT_EQ(NumberText::RoundHalfEven(-HUGE_VAL), INT_MIN);
}
