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

    // Application-wide set-up shared by both programs: the Japanese Gothic face
    // and the program icon.
    static void setUpApplication(QApplication &app);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    Services services_;
};
