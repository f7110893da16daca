#pragma once

#include "settings/SaverSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The ten-line settings file and its place on disk.
class SettingsFile {
public:
    struct Result {
        bool ok = true;
        QString reason;   // for the user, when ok is false
    };

    // programFolder: folder of the running program (no trailing "/" except "/").
    // userConfigFolder and userPicturesFolder: the fallbacks used when the program
    // folder holds no settings file and cannot be written; empty means the
    // user's standard folders.
    explicit SettingsFile(const QString &programFolder, const QString &userConfigFolder = QString(),
                          const QString &userPicturesFolder = QString());

    // Fills every field from the file, creating it with the defaults first when
    // it is missing. On failure the record still holds usable values.
    Result LoadSettings(SaverSettings &settings);

    // Rewrites the whole file atomically. On failure the old file is untouched.
    Result SaveSettings(const SaverSettings &settings);

    // Where the file is (or will be).
    QString FilePath() const;

    static constexpr const char *kFileName = "Vistello.ini";

private:
    QString programFolder_;
    QString userConfigFolder_;
    QString userPicturesFolder_;
    QString path_;
    QString defaultFolder_;
    // What the last load read, so that untouched texts are written back byte for byte.
    QList<QByteArray> loadedRawLines_;
    QStringList loadedTextLines_;
    bool loadedAsUtf8_ = false;
};
