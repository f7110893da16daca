#pragma once

class CursorDisplay;
class WindowSystem;
class Notifier;
class RandomSource;
class PictureLoader;
class DriveSource;

// The platform services one run of a program works with. Every member is a
// reference, so a record cannot be made half filled: the start-ups put the real
// services in, tests their fakes.
struct Services {
    CursorDisplay &cursor;
    WindowSystem &windows;
    Notifier &notifier;
    RandomSource &random;
    PictureLoader &pictures;
    DriveSource &drives;
};
