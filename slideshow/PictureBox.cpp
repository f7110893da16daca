#include "slideshow/PictureBox.h"

#include "platform/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void PictureBox::SetLeft(float twips)
{
    left_ = twips;
    updateGeometryFromTwips();
}

void PictureBox::SetTop(float twips)
{
    top_ = twips;
    updateGeometryFromTwips();
}

void PictureBox::SetSize(float widthTwips, float heightTwips)
{
    width_ = widthTwips;
    height_ = heightTwips;
    updateGeometryFromTwips();
}

void PictureBox::SetPicture(const QImage &picture)
{
    if (picture.isNull()) {
        pixmap_ = QPixmap();
        update();
        return;
    }
    SetPicturePart(picture, QPoint(0, 0), picture.size(), picture.devicePixelRatio());
}

void PictureBox::SetPicturePart(QImage part, QPoint offset, QSize whole, qreal ratio)
{
    // Moved in, the pixels become the pixmap's without a copy.
    pixmap_ = part.isNull() ? QPixmap() : QPixmap::fromImage(std::move(part));
    pixmap_.setDevicePixelRatio(ratio);
    offset_ = offset;
    width_ = static_cast<float>(whole.width() / ratio * Twips::kPerPixel);
    height_ = static_cast<float>(whole.height() / ratio * Twips::kPerPixel);
    updateGeometryFromTwips();
    update();
}

void PictureBox::SetBackColor(const QColor &color)
{
    backColor_ = color;
    update();
}

void PictureBox::updateGeometryFromTwips()
{
    const int w = std::max(0, Twips::toPixels(width_));
    const int h = std::max(0, Twips::toPixels(height_));
    const QRect target(Twips::toPixels(left_), Twips::toPixels(top_), w, h);
    if (target != geometry())
        setGeometry(target);
}

bool PictureBox::event(QEvent *e)
{
    // Every key ends the show, Tab and Backtab included, which Qt would otherwise
    // spend on moving the focus.
    if (e->type() == QEvent::KeyPress) {
        Q_EMIT keyDown(static_cast<QKeyEvent *>(e));
        return true;
    }
    return QWidget::event(e);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    if (pixmap_.isNull()) {
        p.fillRect(dirty, backColor_);
        return;
    }
    const qreal dpr = pixmap_.devicePixelRatio();
    const QRectF part(QPointF(offset_) / dpr, pixmap_.deviceIndependentSize());
    const QRectF target = part.intersected(QRectF(dirty));
    if (!target.isEmpty())
        p.drawPixmap(target, pixmap_, QRectF((target.topLeft() - part.topLeft()) * dpr, target.size() * dpr));
    // Around a part lies the rest of the picture, outside the window: never seen,
    // but not left as whatever the backing store held.
    for (const QRect &rest : QRegion(dirty).subtracted(QRegion(part.toAlignedRect())))
        p.fillRect(rest, Qt::black);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mouseDown(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMovedInParent(mapToParent(event->position()));
}
