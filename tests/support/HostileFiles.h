#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Hostile inputs made by the tests themselves: broken, lying and odd picture
// files mixed with good ones, and odd settings files.
struct HostileFile {
    // Shows: a good picture that must be displayed. Refused: must never be.
    // Either: a damaged picture that a decoder may partly recover (a cut JPEG
    // comes out with its lower part grey); it may show or be skipped.
    enum Expect { Shows, Refused, Either };
    QString name;
    QByteArray bytes;
    Expect expect = Refused;
};

class HostileFiles {
public:
    // Good pictures in each format (one animated GIF, two under another picture
    // extension, some with Japanese text and blanks in their names) and hostile
    // files under picture names. Deterministic.
    static QList<HostileFile> Pictures();

    // Settings files that the programs must start with and replace by a valid file.
    static QList<HostileFile> SettingsFiles();

    // Writes the files into a folder; returns false if one could not be written.
    static bool WriteAll(const QString &folder, const QList<HostileFile> &files);

    // Building blocks, also for single tests.
    static QByteArray Jpeg(int width, int height);
    static QByteArray Bmp(int width, int height, int bitsPerPixel = 24);
    // A GIF of the given size in one colour; with two frames when animated.
    static QByteArray Gif(int width, int height, bool animated = false);
};
