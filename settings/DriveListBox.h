#pragma once

#include "platform/DriveSource.h"

#include <QComboBox>

// The drop-down list of drives. Change runs whenever the selected drive changes,
// by the user or by the program, and not when a setting leaves it as it was.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget *parent = nullptr);

    void SetDrives(const QList<::Drive> &drives);
    const QList<::Drive> &Drives() const { return drives_; }

    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int index);

    // The mount point of the selected drive (empty when the list is empty).
    QString Drive() const;

    // Selects the drive that holds the path. False when no drive of the list holds it.
    bool SetDrive(const QString &path);

Q_SIGNALS:
    void Change();

private:
    QList<::Drive> drives_;
    bool filling_ = false;
};
