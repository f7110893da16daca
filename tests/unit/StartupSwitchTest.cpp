#include "app/StartupSwitch.h"

#include <gtest/gtest.h>

using Action = StartupSwitch::Action;

TEST(StartupSwitchTest, OnlyTheFirstTwoCharactersCountAndCaseMatters)
{
    struct Case {
        const char *text;
        Action action;
    };
    const Case cases[] = {
        {"/s", Action::RunShow},      {"/S", Action::RunShow},        {"/s 12345", Action::RunShow},
        {"/spx", Action::RunShow},    {"/p", Action::Preview},        {"/P 3344", Action::Preview},
        {"/c", Action::Configure},    {"/C:1234", Action::Configure}, {"/a", Action::Password},
        {"/A 99", Action::Password},  {"", Action::End},              {"/", Action::End},
        {"-s", Action::End},          {"s", Action::End},             {"/x", Action::End},
        {" /s", Action::End},         {"\\s", Action::End},           {"／ｓ", Action::End},
    };
    for (const Case &c : cases)
        EXPECT_EQ(StartupSwitch::Classify(QString::fromUtf8(c.text)), c.action) << c.text;
}
