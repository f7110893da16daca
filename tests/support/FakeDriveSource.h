#pragma once

#include "platform/DriveSource.h"

#include <QSet>

// Drives that are folders of the test's choosing; those in notReady cannot be listed.
class FakeDriveSource : public DriveSource {
public:
    QList<Drive> Drives() override { return drives; }
    bool IsReady(const QString &root) override { return !notReady.contains(root); }
    QString CurrentFolder() override { return current; }

    QList<Drive> drives;
    QSet<QString> notReady;
    QString current;
};
