#pragma once

#include "platform/Services.h"

class SettingsFile;

#include <QString>
#include <memory>

class QApplication;

// The real platform services of one program run, owned together.
class RealServices {
public:
    explicit RealServices(const QString &programFolder);
    ~RealServices();

    Services &services() { return services_; }
    SettingsFile &settingsFile();

    // Application-wide set-up shared by both programs: the Japanese Gothic face,
    // the program icon, and the launcher that names the program to the desktop
    // (where windows carry no icon of their own, as under Wayland).
    static void setUpApplication(QApplication &app, const QString &desktopEntry);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    Services services_;
};
