#include "slideshow/ScreenCover.h"

#include "platform/CursorDisplay.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

ScreenCover::ScreenCover(QScreen *screen, Services &services, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , screen_(screen)
    , services_(services)
{
    setObjectName(QStringLiteral("ScreenCover"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_QuitOnClose, false);
    // The slideshow window keeps the focus; a cover only stands in for it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setCursor(services.cursor.blankCursor());
}

void ScreenCover::Cover()
{
    if (screen_)
        services_.windows.ShowFullScreen(this, screen_, [this] { Q_EMIT lost(); });
}

bool ScreenCover::event(QEvent *e)
{
    // Every key counts, Tab included, before Qt spends it on focus moves.
    if (e->type() == QEvent::KeyPress) {
        Q_EMIT keyDown();
        return true;
    }
    return QWidget::event(e);
}

void ScreenCover::mousePressEvent(QMouseEvent *)
{
    Q_EMIT mouseDown();
}

void ScreenCover::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event->position() + (screen_ ? QPointF(screen_->geometry().topLeft()) : QPointF()));
}

void ScreenCover::closeEvent(QCloseEvent *event)
{
    // A window manager's close leaves the monitor covered; the show ends by input.
    event->ignore();
}

void ScreenCover::paintEvent(QPaintEvent *event)
{
    QPainter(this).fillRect(event->rect(), Qt::black);
}
