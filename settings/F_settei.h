#pragma once

#include "app/Edition.h"

#include <QDialog>

struct Module1;
struct Services;

// The settings dialog.
class F_settei : public QDialog {
    Q_OBJECT
public:
    F_settei(Edition edition, Module1 &module, Services &services, QWidget *parent = nullptr);
    ~F_settei() override;

    // Runs the opening sequence. Returns false when the program must end at once
    // (the manual edition found another instance running).
    bool Form_Load();

    // Shows the dialog and runs a local event loop until it is unloaded.
    void ShowModal();

    void Unload();
    bool isUnloaded() const { return unloaded_; }

Q_SIGNALS:
    void unloaded();

private:
    Edition edition_;
    Module1 &module_;
    Services &services_;
    bool unloaded_ = false;
};
