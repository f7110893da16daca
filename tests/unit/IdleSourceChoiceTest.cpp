#include "idle/IdleSourceChoice.h"

#include <gtest/gtest.h>

TEST(IdleSourceChoice, GnomesMonitorWithAnyDisplayThenWaylandThenX11AndAProtocolOnlyWithASeat)
{
    using S = IdleSourceChoice::Source;
    const struct { bool gnome, wayland, x11; S source; } sessions[] = {
        {true, true, false, S::GnomeIdleMonitor}, {true, false, true, S::GnomeIdleMonitor}, {true, false, false, S::None},
        {false, true, true, S::Wayland},          {false, false, true, S::X11},             {false, false, false, S::None},
    };
    for (const auto &row : sessions)
        EXPECT_EQ(IdleSourceChoice::source({row.gnome, row.wayland, row.x11}), row.source)
            << row.gnome << row.wayland << row.x11;

    using P = IdleSourceChoice::Protocol;
    const struct { QStringList globals; P protocol; } compositors[] = {
        {{"wl_compositor", "org_kde_kwin_idle", "ext_idle_notifier_v1", "wl_seat"}, P::ExtIdleNotify},
        {{"wl_seat", "org_kde_kwin_idle", "zwp_idle_inhibit_manager_v1"}, P::KdeIdle},   // sway 1.7
        {{"ext_idle_notifier_v1", "org_kde_kwin_idle"}, P::None},                       // no seat
        {{"wl_seat", "wl_compositor", "zwp_idle_inhibit_manager_v1"}, P::None},          // weston
    };
    for (const auto &row : compositors)
        EXPECT_EQ(IdleSourceChoice::protocol(row.globals), row.protocol) << row.globals.join(' ').toStdString();
}
