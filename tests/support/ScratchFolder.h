#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A scratch folder that disappears with the test.
class ScratchFolder {
public:
    ScratchFolder() { dir_.setAutoRemove(true); }
    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.path() + QLatin1Char('/') + name; }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

private:
    QTemporaryDir dir_;
};
