#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Tells whether another instance of the same program already runs for this user.
// The first instance holds a lock file in the user's runtime folder for its whole
// life; a lock left behind by a crashed process is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &programName, const QString &lockFolder = QString());

    // Tries to become the running instance; true when another one already is.
    bool otherInstanceRunning();

    static QString defaultLockFolder();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};
