// The X server's screen saver as other programs see it and use it.
//   saver_control state     prints "on" or "off": whether the server's screen saver is active
//   saver_control suspend   holds it off the way a game or a video player does: prints
//                           "suspended"; on a line from standard input resumes it and prints
//                           "resumed"; the connection stays open until standard input ends
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool suspend(xcb_connection_t *connection, bool on, const char *said)
{
    free(xcb_request_check(connection, xcb_screensaver_suspend_checked(connection, on)));
    std::printf("%s\n", said);
    return std::fflush(stdout) == 0;
}
}

int main(int argc, char **argv)
{
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(connection) || argc != 2)
        return 2;
    if (std::strcmp(argv[1], "state") == 0) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        auto *info = xcb_screensaver_query_info_reply(connection, xcb_screensaver_query_info(connection, root), nullptr);
        if (!info)
            return 1;
        std::printf("%s\n", info->state == XCB_SCREENSAVER_STATE_ON ? "on" : "off");
        free(info);
        return 0;
    }
    if (!suspend(connection, true, "suspended"))
        return 1;
    char line[64];
    if (std::fgets(line, sizeof line, stdin))
        suspend(connection, false, "resumed");
    while (std::fgets(line, sizeof line, stdin)) {
    }
    xcb_disconnect(connection);
}
