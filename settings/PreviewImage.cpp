#include "settings/PreviewImage.h"


#include "platform/Twips.h"

#include <QPainter>

namespace {
constexpr int kBorder = 1;
}

PreviewImage::PreviewImage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void PreviewImage::Move(float left, float top)
{
    left_ = left;
    top_ = top;
    place();
}

void PreviewImage::SetWidth(float twips)
{
    width_ = twips;
    place();
}

void PreviewImage::SetHeight(float twips)
{
    height_ = twips;
    place();
}

void PreviewImage::SetStretch(bool stretch)
{
    stretch_ = stretch;
    if (!stretch_)
        takeNaturalSize();
    update();
}

void PreviewImage::SetPicture(const QImage &picture)
{
    picture_ = picture;
    if (!picture_.isNull())
        picture_.setDevicePixelRatio(devicePixelRatioF());
    if (!stretch_)
        takeNaturalSize();
    update();
}

void PreviewImage::takeNaturalSize()
{
    if (picture_.isNull())
        return;
    const QSizeF logical = picture_.deviceIndependentSize();
    width_ = static_cast<float>(logical.width()) * Twips::kPerPixel;
    height_ = static_cast<float>(logical.height()) * Twips::kPerPixel;
    place();
}

void PreviewImage::place()
{
    setGeometry(Twips::toPixels(left_) - kBorder, Twips::toPixels(top_) - kBorder,
                Twips::toPixels(width_) + 2 * kBorder, Twips::toPixels(height_) + 2 * kBorder);
}

QRect PreviewImage::ContentRect() const
{
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

void PreviewImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (picture_.isNull())
        return;
    const QRect content = ContentRect();
    p.setClipRect(content);
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(content), picture_);
    } else {
        p.drawImage(content.topLeft(), picture_);
    }
}
