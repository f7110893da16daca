#include "app/StopRequest.h"

#include "platform/Notifier.h"

#include <QApplication>
#include <QCloseEvent>
#include <QWidget>

StopRequest::StopRequest(Notifier &notifier)
{
    QObject::connect(&signals_, &StopSignals::stopRequested, [&notifier] {
        notifier.Silence();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            // A hidden window may have no native window yet, and Qt's close()
            // then skips the close event that unloads the program's windows.
            if (window->isVisible()) {
                window->close();
            } else {
                QCloseEvent close;
                QCoreApplication::sendEvent(window, &close);
            }
        }
    });
}
