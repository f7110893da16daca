// The X server's screen saver as other programs see and use it.
//   saver_control state     prints "on" or "off": whether the server's screen saver is active
//   saver_control suspend   holds it off like a game or a video player: prints "suspended"; on a line
//                           from standard input resumes it ("resumed"); stays connected until input ends
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

int main(int argc, char **argv)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) || argc != 2)
        return 2;
    if (std::strcmp(argv[1], "state") == 0) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        auto *info = xcb_screensaver_query_info_reply(connection, xcb_screensaver_query_info(connection, root), nullptr);
        std::printf("%s\n", info && info->state == XCB_SCREENSAVER_STATE_ON ? "on" : "off");
        return info ? 0 : 1;
    }
    char line[64];
    for (bool suspend : {true, false}) {
        free(xcb_request_check(connection, xcb_screensaver_suspend_checked(connection, suspend)));
        std::printf("%s\n", suspend ? "suspended" : "resumed");
        std::fflush(stdout);
        if (!std::fgets(line, sizeof line, stdin))
            return 0;
    }
    while (std::fgets(line, sizeof line, stdin)) {
    }
}
