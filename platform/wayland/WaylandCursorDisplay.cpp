#include "platform/wayland/WaylandCursorDisplay.h"

#include <QPixmap>

QCursor WaylandCursorDisplay::blankCursor() const
{
    QPixmap clear(16, 16);
    clear.fill(Qt::transparent);
    return QCursor(clear, 0, 0);
}
