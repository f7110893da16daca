#include "settings/DirListBox.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

DirListBox::DirListBox(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(8);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (item)
            SetPath(PathOf(item));
    });
}

QString DirListBox::PathOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

bool DirListBox::SetPath(const QString &path)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return false;
    const QString clean = QDir::cleanPath(path);
    if (!QFileInfo(clean).isDir())
        return false;
    if (clean == path_)
        return true;
    path_ = clean;
    rebuild();
    Q_EMIT Change();
    return true;
}

QTreeWidgetItem *DirListBox::ItemForPath(const QString &path) const
{
    for (QTreeWidgetItemIterator it(const_cast<DirListBox *>(this)); *it; ++it) {
        if (PathOf(*it) == path)
            return *it;
    }
    return nullptr;
}

void DirListBox::rebuild()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from "/" to the current folder, each entry nested in the one before.
    QStringList parts = path_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    auto *item = new QTreeWidgetItem(this, QStringList(QStringLiteral("/")));
    item->setData(0, Qt::UserRole, QStringLiteral("/"));
    item->setIcon(0, open);
    QString sofar;
    for (const QString &part : parts) {
        sofar += QLatin1Char('/') + part;
        item = new QTreeWidgetItem(item, QStringList(part));
        item->setData(0, Qt::UserRole, sofar);
        item->setIcon(0, open);
    }
    QTreeWidgetItem *current = item;

    const QDir dir(path_);
    const QStringList children =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : children) {
        auto *child = new QTreeWidgetItem(current, QStringList(name));
        child->setData(0, Qt::UserRole, dir.filePath(name));
        child->setIcon(0, closed);
    }
    expandAll();
    setCurrentItem(current);
    scrollToItem(current);
}

void DirListBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QTreeWidgetItem *item = currentItem())
            SetPath(PathOf(item));
        event->accept();
        return;
    case Qt::Key_Backspace: {
        QDir up(path_);
        if (up.cdUp())
            SetPath(up.path());
        event->accept();
        return;
    }
    default:
        QTreeWidget::keyPressEvent(event);
    }
}
