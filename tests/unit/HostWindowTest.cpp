#include "platform/x11/HostWindow.h"
#include <gtest/gtest.h>

// What a desktop screen saver may hand over: the window and the server it lives on.
TEST(HostWindowTest, WindowIdsAndDisplayNamesAsHostsWriteThem)
{
    const struct { const char *text; quint32 id; } ids[] = {
        {"0x1a00003", 0x1a00003}, {"0X1A", 0x1a}, {"27262979", 27262979}, {"0100", 100}, {"4294967295", 4294967295u},
        {"4294967296", 0}, {"0x100000000", 0}, {"0", 0}, {"0x0", 0}, {"0x", 0}, {" 12", 0}, {"12 ", 0}, {"+12", 0},
        {"-1", 0}, {"12abc", 0}, {"", 0}};
    for (const auto &row : ids)
        EXPECT_EQ(HostWindow::ParseId(row.text).value_or(0), row.id) << row.text;

    const struct { const char *display, *canonical; } displays[] = {
        {":0", ":0"}, {":0.0", ":0"}, {":0.1", ":0"}, {"unix:0", ":0"}, {"unix:0.0", ":0"}, {":00", ":0"},
        {":10", ":10"}, {"localhost:10.0", "localhost:10"}, {"Remote.Example:1", "remote.example:1"},
        {"[::1]:2.0", "_::1_:2"}, {"/tmp/la unch/org.x:0", "_tmp_la_unch_org.x:0"}, {"", ":"}};
    for (const auto &row : displays)
        EXPECT_EQ(HostWindow::CanonicalDisplay(row.display).toStdString(), row.canonical) << row.display;
}
