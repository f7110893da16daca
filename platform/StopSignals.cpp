#include "platform/StopSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int writeEnd = -1;
constexpr int kSignals[] = {SIGTERM, SIGINT};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = saved;
}
}

StopSignals::StopSignals()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readEnd_ = ends[0];
    writeEnd = ends[1];
    auto *notifier = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopSignals::drain);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

StopSignals::~StopSignals()
{
    if (readEnd_ < 0)
        return;
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
    ::close(readEnd_);
    ::close(writeEnd);
    writeEnd = -1;
}

void StopSignals::drain()
{
    char bytes[16];
    while (::read(readEnd_, bytes, sizeof bytes) > 0) {
    }
    requested_ = true;
    Q_EMIT stopRequested();
}
