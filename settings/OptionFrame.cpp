#include "settings/OptionFrame.h"

#include "platform/Twips.h"

#include <QRadioButton>

OptionFrame::OptionFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{
    setFocusPolicy(Qt::NoFocus);
}

QRadioButton *OptionFrame::AddOption(const QString &name, const QString &caption, int left, int top, int width,
                                     int height)
{
    auto *option = new QRadioButton(caption, this);
    option->setObjectName(name);
    option->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                        Twips::toPixels(height));
    // Buttons of one parent are exclusive among themselves already; toggled runs for
    // the one that is cleared as well as for the one that is selected.
    connect(option, &QRadioButton::toggled, this, [this] { updateTabStops(); });
    options_ << option;
    updateTabStops();
    return option;
}

void OptionFrame::updateTabStops()
{
    // Only the selected option can be tabbed to; Qt's arrow-key navigation then
    // selects the option it moves to, as it does for buttons outside the tab chain.
    bool anyChecked = false;
    for (QRadioButton *option : std::as_const(options_))
        anyChecked = anyChecked || option->isChecked();
    for (int i = 0; i < options_.size(); ++i) {
        QRadioButton *option = options_[i];
        const bool stop = option->isChecked() || (!anyChecked && i == 0);
        option->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}
