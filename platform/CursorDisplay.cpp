#include "platform/CursorDisplay.h"

#include <QCursor>
#include <QGuiApplication>

int CursorDisplay::ShowCursor(bool show)
{
    count_ += show ? 1 : -1;
    apply(visible());
    return count_;
}

void CursorDisplay::apply(bool visible)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (!visible && !blanked_) {
        QGuiApplication::setOverrideCursor(blankCursor());
        blanked_ = true;
    } else if (visible && blanked_) {
        QGuiApplication::restoreOverrideCursor();
        blanked_ = false;
    }
}
