#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

// A box that shows one picture at its natural size and sizes itself to it.
// Left and Top are single-precision twips, as the show computes them; the box is
// drawn at the nearest whole device pixel, so a picture stands exactly where its
// twips put it and shows pixel for pixel at any device pixel ratio. The widget
// itself covers that place in whole logical pixels and is black around the box.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    float Left() const { return left_; }
    float Top() const { return top_; }
    void SetLeft(float twips);
    void SetTop(float twips);
    float Width() const { return width_; }
    float Height() const { return height_; }
    // Sets size in twips without a picture (the design size of an empty box).
    void SetSize(float widthTwips, float heightTwips);

    // Replaces the picture and takes on its natural size: its pixels divided by
    // its device pixel ratio, in twips. A null image empties the box.
    void SetPicture(const QImage &picture);
    // Holds only the part of a picture of `whole` image pixels whose top-left pixel
    // is `offset` in it, drawn at that offset, and takes on the whole picture's
    // natural size at `ratio` device pixels a logical pixel. A null part empties
    // the box but gives it that size already.
    void SetPicturePart(QImage part, QPoint offset, QSize whole, qreal ratio);

    QColor BackColor() const { return backColor_; }
    void SetBackColor(const QColor &color);

    // A further whole-number attribute of the design; nothing depends on it.
    int DrawMode = 3;

Q_SIGNALS:
    void keyDown(QKeyEvent *event);
    void mouseDown(QMouseEvent *event);
    // Pointer movement, in the coordinates of the parent window.
    void mouseMovedInParent(QPointF parentPos);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void updateGeometryFromTwips();
    qreal ratio() const;
    // The box within the widget, in logical pixels.
    QRectF boxArea() const;

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    // The box in device pixels of the parent.
    QRect device_;
    // Device pixels a logical pixel, as the show gave it with a picture; until
    // then the screen's.
    qreal ratio_ = 0;
    QPixmap pixmap_;
    QPoint offset_;
    QColor backColor_{0, 0, 128};
};
