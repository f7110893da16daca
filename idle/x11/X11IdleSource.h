#pragma once

#include "idle/IdleSource.h"

#include <cstdint>

struct xcb_connection_t;
class QSocketNotifier;

// Idle time from the X server's screen-saver extension, event-driven: the server's
// screen-saver timeout is set to the limit, and this client registers as the
// external screen saver, so that the server reports the timeout (and the input
// that ends it) instead of blanking or tiling the screen itself. A suspension of
// the server's screen saver by any client stops its timer, so no idle time is
// reported while a game or a player holds one; its end counts as input.
// Only the screen that DISPLAY names is watched (screen 0 normally).
class X11IdleSource : public IdleSource {
    Q_OBJECT
public:
    using IdleSource::IdleSource;
    ~X11IdleSource() override;

    QString start(int limitSeconds) override;
    void setInhibited(bool inhibited) override;
    void stop() override;

private:
    void readEvents();

    xcb_connection_t *connection_ = nullptr;
    QSocketNotifier *notifier_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint8_t notifyEvent_ = 0;
    bool registered_ = false;
    bool suspended_ = false;
    // The server's screen-saver settings before start(), given back by stop().
    std::int16_t oldTimeout_ = 0, oldInterval_ = 0;
    std::uint8_t oldBlanking_ = 0, oldExposures_ = 0;
};
