#include "sound/stop_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <system_error>

StopSignal::StopSignal() : m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_fd < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

StopSignal::~StopSignal()
{
    close(m_fd);
}

void StopSignal::raise()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_fd, &one, sizeof one);
}

void StopSignal::clear()
{
    std::uint64_t value;
    [[maybe_unused]] const ssize_t read_ = read(m_fd, &value, sizeof value);
}

bool StopSignal::isRaised() const
{
    pollfd descriptor{m_fd, POLLIN, 0};
    return poll(&descriptor, 1, 0) > 0;
}
