#include "slideshow/PictureBox.h"

#include "platform/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

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
    ratio_ = ratio;
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

qreal PictureBox::ratio() const
{
    return ratio_ > 0 ? ratio_ : devicePixelRatioF();
}

void PictureBox::updateGeometryFromTwips()
{
    const qreal r = ratio();
    const QRect before = device_;
    device_ = QRect(Twips::toPixels(left_, r), Twips::toPixels(top_, r), std::max(0, Twips::toPixels(width_, r)),
                    std::max(0, Twips::toPixels(height_, r)));
    // The logical pixels that hold those device pixels; at a fractional ratio
    // they reach a little further.
    const QPoint from(static_cast<int>(std::floor(device_.left() / r)), static_cast<int>(std::floor(device_.top() / r)));
    const QPoint to(static_cast<int>(std::ceil((device_.left() + device_.width()) / r)),
                    static_cast<int>(std::ceil((device_.top() + device_.height()) / r)));
    const QRect target(from, to - QPoint(1, 1));
    // A move lets Qt shift the pixels it has and paint only what comes into view;
    // only a box that moves within the widget's own pixels needs a full repaint.
    if (target != geometry())
        setGeometry(target);
    else if (device_ != before)
        update();
}

QRectF PictureBox::boxArea() const
{
    const qreal r = ratio();
    return QRectF(QPointF(device_.topLeft()) / r - QPointF(pos()), QSizeF(device_.size()) / r);
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
    const QRectF box = boxArea();
    const qreal dpr = ratio();
    const QRectF part = pixmap_.isNull()
        ? box
        : QRectF(box.topLeft() + QPointF(offset_) / dpr, pixmap_.deviceIndependentSize());
    // Around the box, and around a part the rest of the picture outside the
    // window, the window's black. The logical pixels that the part only partly
    // covers are filled too and then drawn over.
    const QRect inside(QPoint(int(std::ceil(part.left())), int(std::ceil(part.top()))),
                       QPoint(int(std::floor(part.right())) - 1, int(std::floor(part.bottom())) - 1));
    for (const QRect &rest : QRegion(dirty).subtracted(QRegion(inside)))
        p.fillRect(rest, Qt::black);
    const QRectF target = part.intersected(QRectF(dirty));
    if (target.isEmpty())
        return;
    if (pixmap_.isNull())
        p.fillRect(target, backColor_);
    else
        p.drawPixmap(target, pixmap_, QRectF((target.topLeft() - part.topLeft()) * dpr, target.size() * dpr));
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mouseDown(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMovedInParent(mapToParent(event->position()));
}
