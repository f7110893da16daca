#pragma once

#include <QString>

class QWidget;

// Message boxes with the application title and the standard beep. Behind an
// interface so that tests can record what the user would have been told.
class Notifier {
public:
    virtual ~Notifier() = default;

    // A message box with the application title as caption. style: the desktop's
    // style value (0 = OK only, no icon). Returns when the user has closed it.
    virtual void MsgBox(const QString &text, int style, QWidget *parent = nullptr) = 0;
    virtual void Beep() = 0;
    // From now on no message box opens: the program is ending.
    virtual void Silence() {}
};

// The real one: QMessageBox and QApplication::beep().
class QtNotifier : public Notifier {
public:
    void MsgBox(const QString &text, int style, QWidget *parent = nullptr) override;
    void Beep() override;
    void Silence() override { silenced_ = true; }

private:
    bool silenced_ = false;
};
