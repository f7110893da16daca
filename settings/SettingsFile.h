#pragma once

#include "core/SaverSettings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The ten-line settings file and its place on disk.
//
// The file is written in code page 932 with CR LF line ends, or in UTF-8 with a
// byte-order mark when its text does not fit that code page, whatever encoding
// it was read in. Lines read end at
// CR LF, CR or LF. Texts that were not changed since they were read are written
// back with the very bytes they were read from.
class SettingsFile {
public:
    struct Result {
        bool ok = true;
        QString reason;   // for the user, when ok is false
    };

    // Whether the program may create files in a folder. Tests replace it.
    using WritableCheck = std::function<bool(const QString &folder)>;

    // programFolder: folder of the running program (no trailing "/" except "/").
    // userConfigFolder and userPicturesFolder: the fallbacks used when the program
    // folder holds no settings file and cannot be written; empty means the
    // user's standard folders. folderWritable: empty means the real check.
    explicit SettingsFile(const QString &programFolder, const QString &userConfigFolder = QString(),
                          const QString &userPicturesFolder = QString(), WritableCheck folderWritable = {});

    // Fills every field from the file, creating it with the defaults first when
    // it is missing. On failure the record still holds usable values (the
    // defaults) and an existing file is left as it is. Missing lines take their
    // defaults; lines after the tenth are ignored. A relative PictureFolder is
    // taken relative to the folder holding the file, and one starting with "~/"
    // to the home folder; an empty one stays empty.
    Result LoadSettings(SaverSettings &settings);

    // Rewrites the whole file atomically. On failure the old file is untouched.
    Result SaveSettings(const SaverSettings &settings);

    // Where the file is (or will be).
    QString FilePath() const;

    static constexpr const char *kFileName = "Vistello.ini";
    // At most this much of a file is read, so a huge file costs bounded memory;
    // a line cut by the limit keeps what was read, later lines take their defaults.
    static constexpr qint64 kReadLimit = 16 * 1024 * 1024;

private:
    enum class Encoding { CodePage, Utf8, Utf8WithMark };

    void locate();
    SaverSettings defaults() const;
    QString resolveFolder(const QString &text) const;
    QList<QByteArray> encodeLines(const QStringList &texts, Encoding &encoding) const;

    QString programFolder_;
    QString userConfigFolder_;
    QString userPicturesFolder_;
    WritableCheck folderWritable_;
    QString path_;
    QString defaultFolder_;
    // What the file held when last read or written, so that untouched texts are
    // written back byte for byte.
    QList<QByteArray> loadedRawLines_;
    QStringList loadedTextLines_;
    Encoding loadedEncoding_ = Encoding::CodePage;
};
