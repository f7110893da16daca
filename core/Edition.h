#pragma once

// Which of the two programs is running; the start-up passes it in.
enum class Edition { ScreenSaver, Manual };
