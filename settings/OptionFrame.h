#pragma once

#include <QGroupBox>
#include <QList>

class QRadioButton;

// A frame whose option buttons form one exclusive set. The set takes one tab stop,
// at the selected option; the arrow keys move the selection within the frame.
class OptionFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit OptionFrame(const QString &caption, QWidget *parent = nullptr);

    // Creates an option button in the frame at the given twips.
    QRadioButton *AddOption(const QString &name, const QString &caption, int left, int top, int width,
                            int height);

private:
    void updateTabStops();

    QList<QRadioButton *> options_;
};
