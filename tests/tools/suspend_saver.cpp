// Holds the X server's screen saver off the way a game or a video player does:
// suspends it, prints "suspended", and on a line from standard input resumes it
// and prints "resumed"; the connection stays open until standard input ends.
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

namespace {
bool suspend(xcb_connection_t *connection, bool on, const char *said)
{
    free(xcb_request_check(connection, xcb_screensaver_suspend_checked(connection, on)));
    std::printf("%s\n", said);
    return std::fflush(stdout) == 0;
}
}

int main()
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) || !suspend(connection, true, "suspended"))
        return 1;
    char line[64];
    if (std::fgets(line, sizeof line, stdin))
        suspend(connection, false, "resumed");
    while (std::fgets(line, sizeof line, stdin)) {
    }
    xcb_disconnect(connection);
}
