#pragma once

#include <QListWidget>

// The file list: every ordinary file of its folder (hidden ones left out), by name.
// Click runs whenever the highlight moves to an entry, by whatever means (keys,
// any mouse button, a drag), and on a left click on the highlighted entry;
// never because the list merely gained the focus or was refilled.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString Path() const { return path_; }

    // Lists the files of the folder. The list stays empty for a folder that
    // cannot be read.
    void SetPath(const QString &path);

    // The highlighted name, without folder; empty when nothing is highlighted.
    QString FileName() const;
    const QListWidgetItem *Highlighted() const;

Q_SIGNALS:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString path_;
    const QListWidgetItem *highlighted_ = nullptr;
};
