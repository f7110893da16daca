#pragma once

#include <QImage>
#include <QWidget>

// An image frame with a thin single-line border. Without Stretch it takes the
// natural size of its picture; with Stretch it keeps its size and draws the
// picture scaled into it. Position and size are in twips (single precision);
// the border lies just outside that rectangle.
class PreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewImage(QWidget *parent = nullptr);

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void Move(float left, float top);
    void SetWidth(float twips);
    void SetHeight(float twips);

    bool Stretch() const { return stretch_; }
    // Switching stretching off gives the control its picture's natural size again.
    void SetStretch(bool stretch);

    // The picture's pixels divided by the device pixel ratio are its natural size.
    void SetPicture(const QImage &picture);
    // The pixels of a picture of `natural` image pixels, held at a reduced size.
    void SetPicture(const QImage &picture, QSize natural);
    // The natural size, in twips, of a picture of `pixels` image pixels here.
    QSizeF NaturalSize(QSize pixels) const;
    const QImage &Picture() const { return picture_; }

    // The part of the widget the picture is drawn in (the border lies around it).
    QRect ContentRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void takeNaturalSize();
    void place();

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool stretch_ = false;
    QImage picture_;
    QSize natural_;
};
