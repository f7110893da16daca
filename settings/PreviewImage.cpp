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
    SetPicture(picture, picture.size());
}

void PreviewImage::SetPicture(const QImage &picture, QSize natural)
{
    picture_ = picture;
    natural_ = natural;
    if (!picture_.isNull())
        picture_.setDevicePixelRatio(devicePixelRatioF());
    if (!stretch_)
        takeNaturalSize();
    update();
}

QSizeF PreviewImage::NaturalSize(QSize pixels) const
{
    const QSizeF logical = QSizeF(pixels) / devicePixelRatioF();
    return {static_cast<float>(logical.width()) * Twips::kPerPixel,
            static_cast<float>(logical.height()) * Twips::kPerPixel};
}

void PreviewImage::takeNaturalSize()
{
    if (picture_.isNull())
        return;
    const QSizeF natural = NaturalSize(natural_);
    width_ = static_cast<float>(natural.width());
    height_ = static_cast<float>(natural.height());
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
