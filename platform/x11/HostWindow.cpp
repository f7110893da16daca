#include "platform/x11/HostWindow.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <xcb/xcb.h>

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

std::unique_ptr<HostWindow> HostWindow::Open(quint32 id)
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return nullptr;
    xcb_connection_t *connection = x11->connection();
    // Watch before asking for the size: a window destroyed in between then fails
    // the question instead of going unnoticed. A pixmap id passes the size query
    // but not this request.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (xcb_generic_error_t *error = xcb_request_check(
            connection, xcb_change_window_attributes_checked(connection, id, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        return nullptr;
    }
    xcb_generic_error_t *error = nullptr;
    xcb_get_geometry_reply_t *geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), &error);
    std::free(error);
    if (!geometry)
        return nullptr;
    const QSize size(geometry->width, geometry->height);
    std::free(geometry);
    return std::unique_ptr<HostWindow>(new HostWindow(id, size));
}

HostWindow::HostWindow(quint32 id, QSize size)
    : id_(id)
    , size_(size)
{
    qGuiApp->installNativeEventFilter(this);
}

HostWindow::~HostWindow()
{
    qGuiApp->removeNativeEventFilter(this);
}

void HostWindow::Embed(QWidget &widget)
{
    widget_ = &widget;
    widget.setGeometry(QRect(QPoint(0, 0), size_));
    // Qt's window for the foreign id only places the child; it does not report
    // the host's size changes, which come through the event filter.
    foreign_.reset(QWindow::fromWinId(id_));
    widget.winId();
    widget.windowHandle()->setParent(foreign_.get());
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
            if (widget_)
                widget_->resize(size_);
        }
        break;
    }
    case XCB_DESTROY_NOTIFY:
        if (static_cast<const xcb_destroy_notify_event_t *>(message)->window == id_)
            Q_EMIT gone();
        break;
    }
    return false;
}
