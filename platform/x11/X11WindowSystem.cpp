#include "platform/x11/X11WindowSystem.h"

#include "platform/x11/XcbReply.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
// How long a window manager that handles the request may take to answer.
constexpr int kAnswerWaitMs = 500;
// Beyond this a frame is nonsense from a broken manager; it is not trusted.
constexpr std::uint32_t kLargestEdge = 1000;

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window property of the type; empty when it is not set.
std::vector<std::uint32_t> property(xcb_connection_t *c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// A window manager is running and answers frame requests. Its check window must
// name itself: a manager that has gone leaves the root's properties behind.
bool managerAnswers(xcb_connection_t *c, xcb_window_t root, xcb_atom_t request)
{
    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<std::uint32_t> owner = property(c, root, check, XCB_ATOM_WINDOW);
    if (owner.size() != 1 || property(c, owner[0], check, XCB_ATOM_WINDOW) != owner)
        return false;
    const std::vector<std::uint32_t> supported = property(c, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), request) != supported.end();
}
}

QMargins X11WindowSystem::FrameMargins(QWidget *window)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!window || !x11)
        return {};
    xcb_connection_t *c = x11->connection();
    // Creates the native window, not yet mapped; a later move() then places its client area.
    const auto id = static_cast<xcb_window_t>(window->winId());
    const XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, id), nullptr));
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (!tree || !managerAnswers(c, tree->root, request))
        return {};

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, tree->root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(c);

    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    const qreal ratio = window->devicePixelRatioF();
    QElapsedTimer clock;
    clock.start();
    do {
        const std::vector<std::uint32_t> e = property(c, id, extents, XCB_ATOM_CARDINAL);
        if (e.size() == 4 && *std::max_element(e.begin(), e.end()) <= kLargestEdge) {
            // left, right, top, bottom in device pixels.
            const auto px = [ratio](std::uint32_t v) { return qRound(v / ratio); };
            return QMargins(px(e[0]), px(e[2]), px(e[1]), px(e[3]));
        }
        QThread::msleep(10);
    } while (clock.elapsed() < kAnswerWaitMs);
    return {};
}
