#pragma once

#include <QListWidget>

// The file list: every ordinary file of its folder (hidden ones left out), by name.
// Click runs when the user selects an entry with the mouse or the keyboard, never
// because the list merely gained the focus or was refilled.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString Path() const { return path_; }

    // Lists the files of the folder. The list stays empty for a folder that
    // cannot be read.
    void SetPath(const QString &path);

    // The selected name, without folder; empty when nothing is selected.
    QString FileName() const;

Q_SIGNALS:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString path_;
};
