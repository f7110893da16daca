#pragma once

#include <QString>

// How the show places its pictures, read from the stored DisplayMode. A stored
// value other than 1, 2 or 3 (a hand-edited 2.5 or 7) is Other: no placement,
// and the timer keeps the period it has.
enum class ShowMode { Centred, RandomPlace, Moving, Other };

// The settings in memory. Numbers are kept as read (they may carry a fraction
// after a load from a hand-edited file), so a file stored again keeps them;
// readers round where they need whole numbers.
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

    // The two stored orders; any other text counts as random.
    static QString fileNameOrder() { return QStringLiteral("FILE_NAME"); }
    static QString randomOrder() { return QStringLiteral("RANDOM"); }
    bool InFileNameOrder() const { return PictureOrder == fileNameOrder(); }

    ShowMode Mode() const
    {
        if (DisplayMode == 1)
            return ShowMode::Centred;
        if (DisplayMode == 2)
            return ShowMode::RandomPlace;
        if (DisplayMode == 3)
            return ShowMode::Moving;
        return ShowMode::Other;
    }

    bool operator==(const SaverSettings &) const = default;
};
