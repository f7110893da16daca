#include "slideshow/ScreenCover.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

ScreenCover::ScreenCover(QScreen *screen, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , screen_(screen)
{
    setObjectName(QStringLiteral("ScreenCover"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_QuitOnClose, false);
    // The slideshow window keeps the focus; a cover only stands in for it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setCursor(Qt::BlankCursor);
}

void ScreenCover::Cover()
{
    if (!screen_)
        return;
    const QRect area = screen_->geometry();
    if (isVisible() && geometry() == area)
        return;
    // Geometry first, so that the window is made on its monitor without a window
    // manager; the full-screen state then puts it over panels under one.
    setScreen(screen_);
    setGeometry(area);
    showFullScreen();
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
    Q_EMIT mouseMoved(event->globalPosition());
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
