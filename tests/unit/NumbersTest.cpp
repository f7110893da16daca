#include "app/StartupSwitch.h"
#include "core/NumberText.h"
#include "platform/CursorDisplay.h"
#include "platform/ProcessInfo.h"
#include "settings/SpeedValue.h"
#include "slideshow/MouseRule.h"
#include "slideshow/TickPeriod.h"
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <climits>
#include <cmath>

constexpr double kMax = std::numeric_limits<double>::max();
const double kNaN = std::nan("");

TEST(NumbersTest, NumberTextReadsAndWritesPlainDecimals)
{
    const std::pair<QString, double> read[] = {{" 9 ", 9}, {"2abc", 2}, {"abc", 0}, {"-2.5 ", -2.5}, {"+7", 7},
        {".5", 0.5}, {"1.2.3", 1.2}, {"--3", 0}, {"\r5", 0}, {"1 2", 12}, {"\t1 2\n3", 123}, {"1\r2", 1}, {"1e309", 1},
        {"0x10", 0}, {"nan", 0}, {"-0", 0}, {QString(400, u'9'), kMax}, {"-" + QString(400, u'9'), -kMax},
        {"0." + QString(400, u'0') + "1", 0}};
    for (const auto &[text, value] : read)  // never -0
        EXPECT_EQ(std::pair(NumberText::LeadingNumber(text), std::signbit(NumberText::LeadingNumber(text))),
                  std::pair(value, std::signbit(value))) << qPrintable(text.left(20));
    const std::pair<double, QString> printed[] = {{9, " 9 "}, {2.5, " 2.5 "}, {-0.1, "-0.1 "},
        {0.1 + 0.2, " 0.30000000000000004 "}, {1e22, " 10000000000000000000000 "}, {1e-7, " 0.0000001 "},
        {-0.0, " 0 "}, {kNaN, " 0 "}, {-HUGE_VAL, NumberText::PrintForm(-kMax)}};
    for (const auto &[value, print] : printed)
        EXPECT_EQ(std::pair(NumberText::PrintForm(value), NumberText::ShortestText(value)), std::pair(print, print.trimmed()));
    const std::pair<double, int> rounded[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-2.5, -2}, {2.4999999, 2},
        {2.5000001, 3}, {-2.6, -3}, {kNaN, 0}, {1e20, INT_MAX}, {-HUGE_VAL, INT_MIN}};
    for (const auto &[value, whole] : rounded)
        EXPECT_EQ(NumberText::RoundHalfEven(value), whole) << value;
}

TEST(NumbersTest, TickPeriodAndSpeedValue)
{
    using M = ShowMode;
    const struct { ShowMode mode; double speed; std::optional<int> ms; } periods[] = {{M::Centred, 1, 10000},
        {M::RandomPlace, 10, 1000}, {M::Centred, 2.5, 8500}, {M::Centred, 1.0625, 9938}, {M::RandomPlace, 1.1875, 9812},
        {M::Moving, -5, 10}, {M::Moving, 12, 10}, {M::Other, 9, std::nullopt}, {M::Centred, 10.95, 100},
        {M::RandomPlace, 12, 100}, {M::Centred, kNaN, 100}, {M::Centred, -1000, 1011000}, {M::Centred, -kMax, INT_MAX}};
    for (const auto &row : periods)
        EXPECT_EQ(TickPeriod::Interval(row.mode, row.speed), row.ms) << int(row.mode) << " " << row.speed;
    const struct { double speed; int bar; QString text; } speeds[] = {{7, 7, "7"}, {2.5, 2, "2.5"}, {3.5, 4, "3.5"},
        {10, 10, "10"}, {0, 1, "1"}, {-4, 1, "1"}, {10.4, 10, "10"}, {1e300, 10, "10"}, {kNaN, 1, "1"}};
    for (const auto &row : speeds)
        EXPECT_EQ(std::pair(SpeedValue::ScrollValue(row.speed), SpeedValue::DisplayText(row.speed)), std::pair(row.bar, row.text));
}

// A later report ends the show only when x and y both changed (y as stored: rounded half to even).
TEST(NumbersTest, MouseRulesAndPointer)
{
    const struct { float x, y; bool ends; } saver[] = {{100, 200, false}, {100, 500, false}, {400, 500, false},
        {130, 515, true}, {10, 2.5f, true}, {20, 2.5f, true}, {30, 64800, true}, {40, 64800, false}, {50, 64815, true}};
    SaverMouseState s;
    for (const auto &r : saver)
        EXPECT_EQ(MouseRule::SaverReport(s, r.x, r.y), r.ends) << r.x << "," << r.y;
    // Manual: none while the window is narrower than the screen, then two ignored in the first show, one later.
    const struct { float formWidth, x, y; bool ends; } manual[] = {{9000, 1, 1, false}, {9000, 2, 2, false},
        {15360, 10, 10, false}, {15360, 20, 20, false}, {15360, 30, 30, true}, {15360, 40, 40, false},
        {15360, 50, 50, true}, {15360, 50, 60, false}};
    ManualMouseState m;
    for (const auto &r : manual)
        EXPECT_EQ(MouseRule::ManualReport(m, r.formWidth, 15360, r.x, r.y), r.ends) << r.x;
    CursorDisplay cursor;   // the pointer is blank (set once, however low the count) below 0, shown again at 0
    const auto blank = [&](bool show) { return cursor.ShowCursor(show), QGuiApplication::overrideCursor() != nullptr; };
    EXPECT_EQ(QList<bool>({blank(false), blank(false), blank(true), blank(true)}), QList<bool>({true, true, true, false}));
}

TEST(NumbersTest, StartupSwitchTakesTwoCharactersCaseSensitively)
{
    using A = StartupSwitch::Action;
    const std::pair<const char *, A> rows[] = {{"/s", A::RunShow}, {"/S", A::RunShow}, {"/spx 1", A::RunShow},
        {"/p", A::Preview}, {"/P 3344", A::Preview}, {"/c", A::Configure}, {"/C:1", A::Configure}, {"/a", A::Password},
        {"/A 99", A::Password}, {"", A::End}, {"/", A::End}, {"-s", A::End}, {" /s", A::End}, {"／ｓ", A::End}};
    for (const auto &[text, action] : rows)
        EXPECT_EQ(StartupSwitch::Classify(QString::fromUtf8(text)), action) << text;
    const char *const argv[] = {"Vistello", "/c", "1"};   // the text after the program's name, blanks between
    EXPECT_EQ(ProcessInfo::argumentText(3, argv).toStdString(), "/c 1");
}
