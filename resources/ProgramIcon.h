#pragma once

#include <QIcon>

// The program icon: 32 x 32 pixels in 16 colours, shared by every window.
class ProgramIcon {
public:
    static QIcon icon();
};
