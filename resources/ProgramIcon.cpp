#include "resources/ProgramIcon.h"

#include <QPixmap>

#include "resources/vistello.xpm"

QIcon ProgramIcon::icon()
{
    return QIcon(QPixmap(vistello_xpm));
}
