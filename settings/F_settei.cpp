// PROVISIONAL: replaced by the settings-dialog work.
#include "settings/F_settei.h"
#include <QEventLoop>
F_settei::F_settei(Edition edition, Module1 &module, Services &services, QWidget *parent)
    : QDialog(parent), edition_(edition), module_(module), services_(services) {}
F_settei::~F_settei() = default;
bool F_settei::Form_Load() { return true; }
void F_settei::ShowModal() { Unload(); }
void F_settei::Unload() { if (unloaded_) return; unloaded_ = true; hide(); Q_EMIT unloaded(); }
