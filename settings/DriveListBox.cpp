#include "settings/DriveListBox.h"

DriveListBox::DriveListBox(QWidget *parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            Q_EMIT Change();
    });
}

void DriveListBox::SetDrives(const QList<::Drive> &drives)
{
    filling_ = true;
    clear();
    drives_ = drives;
    for (const ::Drive &d : drives)
        addItem(d.DisplayName(), d.root);
    setCurrentIndex(drives.isEmpty() ? -1 : 0);
    filling_ = false;
}

void DriveListBox::SetListIndex(int index)
{
    if (index >= 0 && index < count())
        setCurrentIndex(index);
}

QString DriveListBox::Drive() const
{
    const int i = currentIndex();
    return i >= 0 && i < drives_.size() ? drives_[i].root : QString();
}

bool DriveListBox::SetDrive(const QString &path)
{
    const int index = DriveSource::IndexOfDrive(drives_, path);
    if (index < 0)
        return false;
    SetListIndex(index);
    return true;
}
