#pragma once

#include <QString>

// The settings in memory. Numbers are kept as read (they may carry a fraction
// after a load from a hand-edited file); readers round where they need whole numbers.
struct SaverSettings {
    QString PictureFolder;
    QString PictureOrder;
    double DisplayMode = 0;
    double SwitchSpeed = 0;
    double MoveSpeed = 0;
    QString Spare1;
    QString Spare2;
    QString Spare3;
    QString Spare4;
    QString Spare5;

    bool operator==(const SaverSettings &) const = default;
};
