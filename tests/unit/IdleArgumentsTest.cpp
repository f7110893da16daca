#include "idle/IdleArguments.h"

#include <gtest/gtest.h>

TEST(IdleArguments, MinutesOrSecondsWithinTheServersRangeElseAReason)
{
    using K = IdleArguments::Kind;
    const struct {
        QStringList arguments;
        K kind;
        int seconds;
    } rows[] = {
        {{}, K::Run, 600},          {{"1"}, K::Run, 60},     {{"90s"}, K::Run, 90},       {{"007"}, K::Run, 420},
        {{"546"}, K::Run, 32760},   {{"32767s"}, K::Run, 32767}, {{"--help"}, K::Help, 0}, {{"-h"}, K::Help, 0},
        {{"547"}, K::Bad, 0},       {{"32768s"}, K::Bad, 0}, {{"99999999999999999999"}, K::Bad, 0},
        {{"0"}, K::Bad, 0},         {{"0s"}, K::Bad, 0},     {{"s"}, K::Bad, 0},          {{""}, K::Bad, 0},
        {{"-5"}, K::Bad, 0},        {{"+5"}, K::Bad, 0},     {{"1.5"}, K::Bad, 0},        {{"5S"}, K::Bad, 0},
        {{"5m"}, K::Bad, 0},        {{" 5"}, K::Bad, 0},     {{"5\n"}, K::Bad, 0},        {{"5ss"}, K::Bad, 0},
        {{"10", "20"}, K::Bad, 0},
    };
    for (const auto &row : rows) {
        const IdleArguments parsed = IdleArguments::parse(row.arguments);
        const std::string line = row.arguments.join('|').toStdString();
        EXPECT_EQ(parsed.kind, row.kind) << line;
        EXPECT_EQ(parsed.seconds, row.seconds) << line;
        EXPECT_EQ(parsed.reason.isEmpty(), row.kind != K::Bad) << line;
    }
    EXPECT_EQ(IdleArguments::parse({"547"}).reason, "the idle time is at most 546 minutes (32767s)");
}
