#include "settings/FileListBox.h"

#include <QDir>
#include <QMouseEvent>

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // Only the user moves the highlight (keys, any button, a drag, the list
    // scrolling under a drag); the program never does, so each move is theirs.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        const QListWidgetItem *now = Highlighted();
        const bool moved = now && now != highlighted_;
        highlighted_ = now;
        if (moved)
            Q_EMIT Click();
    });
}

void FileListBox::SetPath(const QString &path)
{
    path_ = path;
    clear();
    highlighted_ = nullptr;
    const QStringList names = QDir(path).entryList(QDir::Files, QDir::Name);
    addItems(names);
}

QString FileListBox::FileName() const
{
    const QListWidgetItem *item = Highlighted();
    return item ? item->text() : QString();
}

const QListWidgetItem *FileListBox::Highlighted() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void FileListBox::mousePressEvent(QMouseEvent *event)
{
    const QListWidgetItem *before = Highlighted();
    QListWidget::mousePressEvent(event);
    // A left click on the entry already highlighted runs the handler again.
    if (event->button() == Qt::LeftButton && before && before == Highlighted()
        && itemAt(event->position().toPoint()) == before)
        Q_EMIT Click();
}
