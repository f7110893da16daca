#pragma once

#include <QTreeWidget>

// The folder list: the folders from "/" down to the current folder, then the
// current folder's own folders (hidden ones left out). A click on a folder, or
// Enter on the highlighted one, makes it the current folder; Backspace goes up.
// Change runs whenever the path changes, by the user or by the program.
class DirListBox : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget *parent = nullptr);

    // Absolute, without a trailing "/" except at "/".
    QString Path() const { return path_; }

    // Makes the folder current. False, with nothing changed, when the path is not
    // an absolute path of an existing folder.
    bool SetPath(const QString &path);

    // The folder an entry stands for.
    static QString PathOf(const QTreeWidgetItem *item);

    QTreeWidgetItem *ItemForPath(const QString &path) const;

Q_SIGNALS:
    void Change();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Every entry is always open, so no branch marks are drawn.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}

private:
    void rebuild();

    QString path_;
};
