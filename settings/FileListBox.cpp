#include "settings/FileListBox.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void FileListBox::SetPath(const QString &path)
{
    path_ = path;
    clear();
    const QStringList names = QDir(path).entryList(QDir::Files, QDir::Name);
    addItems(names);
}

QString FileListBox::FileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileListBox::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()))
        Q_EMIT Click();
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    const QListWidgetItem *before = currentItem();
    const bool wasSelected = before && before->isSelected();
    QListWidget::keyPressEvent(event);
    const QListWidgetItem *after = currentItem();
    // Arrow keys, paging and typing a name move the selection; so does the first
    // arrow key after tabbing in, which selects the entry that was only current.
    if (after && after->isSelected() && (after != before || !wasSelected))
        Q_EMIT Click();
}
