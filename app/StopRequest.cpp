#include "app/StopRequest.h"

#include <QApplication>
#include <QWidget>

StopRequest::StopRequest()
{
    QObject::connect(&signals_, &StopSignals::stopRequested, [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
    });
}
