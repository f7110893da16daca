#include "platform/x11/HostWindow.h"

#include "platform/x11/XcbReply.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

namespace {
xcb_connection_t *connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Once the host has destroyed its window, and the child with it, Qt's own
// clean-up of the child fails on the server; those errors are no news to the
// host's log.
QLoggingCategory::CategoryFilter earlierFilter = nullptr;
void withoutXcbErrors(QLoggingCategory *category)
{
    if (earlierFilter)
        earlierFilter(category);
    if (qstrcmp(category->categoryName(), "qt.qpa.xcb") == 0)
        category->setEnabled(QtWarningMsg, false);
}
}

std::optional<quint32> HostWindow::ParseId(const QByteArray &text)
{
    // toUInt alone would also take blanks and a sign around the digits, and a
    // leading 0 must not turn decimal into octal.
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("0[xX]([0-9a-fA-F]{1,8})|([0-9]{1,10})")));
    const QRegularExpressionMatch match = form.match(QString::fromLatin1(text));
    bool ok = false;
    const quint32 id = !match.hasMatch()       ? 0
                       : match.hasCaptured(1) ? match.captured(1).toUInt(&ok, 16)
                                              : match.captured(2).toUInt(&ok, 10);
    return ok && id != 0 ? std::optional<quint32>(id) : std::nullopt;
}

QString HostWindow::CanonicalDisplay(const QByteArray &display)
{
    const QString text = QString::fromLocal8Bit(display);
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    QString host = colon < 0 ? QString() : text.left(colon).toLower();
    QString number = colon < 0 ? text : text.mid(colon + 1).section(QLatin1Char('.'), 0, 0);
    if (host == QLatin1String("unix"))
        host.clear();
    // "07" and "7" are the same display.
    static const QRegularExpression leadingZeros(QStringLiteral("^0+(?=\\d)"));
    number.remove(leadingZeros);
    QString name = host + QLatin1Char(':') + number;
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._:-]"));
    return name.replace(unsafe, QStringLiteral("_"));
}

std::unique_ptr<HostWindow> HostWindow::Open(quint32 id)
{
    xcb_connection_t *c = connection();
    if (!c)
        return nullptr;
    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr));
    // An input-only window cannot hold a window that draws.
    if (!attributes || attributes->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT)
        return nullptr;
    // Watch before asking for the size: a window destroyed in between then fails
    // the question instead of going unnoticed. The mask adds to what this
    // connection already selected on the window (Qt's own, on the root window).
    const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (const XcbReply<xcb_generic_error_t> error{
            xcb_request_check(c, xcb_change_window_attributes_checked(c, id, XCB_CW_EVENT_MASK, &mask))})
        return nullptr;
    const XcbReply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr));
    if (!geometry)
        return nullptr;
    return std::unique_ptr<HostWindow>(new HostWindow(id, geometry->root, QSize(geometry->width, geometry->height)));
}

HostWindow::HostWindow(quint32 id, quint32 root, QSize size)
    : id_(id)
    , root_(root)
    , size_(size)
{
    qGuiApp->installNativeEventFilter(this);
}

HostWindow::~HostWindow()
{
    qGuiApp->removeNativeEventFilter(this);
}

bool HostWindow::Embed(QWidget &widget)
{
    xcb_connection_t *c = connection();
    widget_ = &widget;
    // Qt's logical size comes nearest the host's; fit() then sets the exact
    // device size, which Qt takes back as the widget's size.
    widget.setGeometry(QRect(QPoint(0, 0), size_ / widget.devicePixelRatioF()));
    const auto child = static_cast<xcb_window_t>(widget.winId());
    const XcbReply<xcb_query_tree_reply_t> before(xcb_query_tree_reply(c, xcb_query_tree(c, child), nullptr));
    if (!before || before->root != root_)
        return false;
    // Qt's window for the foreign id only places the child; it does not report
    // the host's size changes, which come through the event filter.
    foreign_.reset(QWindow::fromWinId(id_));
    widget.windowHandle()->setParent(foreign_.get());
    const XcbReply<xcb_query_tree_reply_t> after(xcb_query_tree_reply(c, xcb_query_tree(c, child), nullptr));
    if (!after || after->parent != id_)
        return false;
    // At a fractional scale factor Qt paints whole logical pixels and may leave
    // the last device column or row of the child unpainted: it is the window's
    // black, never the host's own picture.
    for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(c)); screen.rem; xcb_screen_next(&screen)) {
        if (screen.data->root == root_)
            xcb_change_window_attributes(c, child, XCB_CW_BACK_PIXEL, &screen.data->black_pixel);
    }
    if (id_ == root_) {
        // Drawn on the desktop itself: a window manager must not take the child
        // for a window of its own to frame, and the child stays below the others.
        const uint32_t overrideRedirect = 1;
        xcb_change_window_attributes(c, child, XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
        const uint32_t below = XCB_STACK_MODE_BELOW;
        xcb_configure_window(c, child, XCB_CONFIG_WINDOW_STACK_MODE, &below);
    }
    fit();
    return true;
}

void HostWindow::fit()
{
    if (!widget_ || !widget_->windowHandle())
        return;
    xcb_connection_t *c = connection();
    const uint32_t values[] = {0, 0, static_cast<uint32_t>(size_.width()), static_cast<uint32_t>(size_.height())};
    xcb_configure_window(c, static_cast<xcb_window_t>(widget_->winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(c);
}

bool HostWindow::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    switch (static_cast<const xcb_generic_event_t *>(message)->response_type & 0x7f) {
    case XCB_CONFIGURE_NOTIFY: {
        const auto *event = static_cast<const xcb_configure_notify_event_t *>(message);
        if (event->window == id_ && QSize(event->width, event->height) != size_) {
            size_ = QSize(event->width, event->height);
            fit();
        }
        break;
    }
    case XCB_DESTROY_NOTIFY:
        if (static_cast<const xcb_destroy_notify_event_t *>(message)->window == id_) {
            earlierFilter = QLoggingCategory::installFilter(withoutXcbErrors);
            Q_EMIT gone();
        }
        break;
    }
    return false;
}
