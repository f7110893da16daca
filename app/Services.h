#pragma once

class CursorDisplay;
class WindowSystem;
class Notifier;
class RandomSource;
class PictureLoader;
class DriveSource;
class SettingsFile;

// The platform services and the settings file one run of a program works with.
// The start-ups fill it with the real ones; tests put fakes in.
struct Services {
    CursorDisplay *cursor = nullptr;
    WindowSystem *windows = nullptr;
    Notifier *notifier = nullptr;
    RandomSource *random = nullptr;
    PictureLoader *pictures = nullptr;
    DriveSource *drives = nullptr;
    SettingsFile *settingsFile = nullptr;
};
