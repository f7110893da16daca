#pragma once

#include "platform/WindowSystem.h"

// SetWindowPos through user32 on Windows; the keyboard grab stays Qt's.
class Win32WindowSystem : public WindowSystem {
public:
    void SetWindowPos(QWidget *window) override;
};
