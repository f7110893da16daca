#pragma once

#include "settings/SpeedValue.h"

#include <QScrollBar>

// A small vertical scroll bar used as a spin button. Its values run from 1 to
// 10 in steps of 1; the upper arrow, the Up key and turning the wheel away from
// the user raise the value. It takes the focus by Tab and by click and shows it.
class SpinScrollBar : public QScrollBar {
    Q_OBJECT
public:
    static constexpr int kMin = SpeedValue::kMin;
    static constexpr int kMax = SpeedValue::kMax;

    explicit SpinScrollBar(QWidget *parent = nullptr);

    int Value() const;
    // Values outside the range are taken to the nearest end.
    void SetValue(int value);

Q_SIGNALS:
    // The value changed, by the user or by the program.
    void Change();

protected:
    void paintEvent(QPaintEvent *event) override;
};
