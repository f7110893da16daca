#include "settings/SpinScrollBar.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

// Qt's vertical scroll bar grows downwards: its upper arrow, the Up key and the
// wheel turned away all lower the value. Keeping the mirror image of the value
// inside the bar makes all three raise the value the dialog sees.
namespace {
int mirrored(int value) { return SpinScrollBar::kMin + SpinScrollBar::kMax - value; }
}

SpinScrollBar::SpinScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setRange(kMin, kMax);
    setSingleStep(1);
    // One notch of the wheel is one step, like one arrow click.
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, [this] { Q_EMIT Change(); });
}

int SpinScrollBar::Value() const
{
    return mirrored(value());
}

void SpinScrollBar::SetValue(int value)
{
    setValue(mirrored(std::clamp(value, kMin, kMax)));
}

void SpinScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}
