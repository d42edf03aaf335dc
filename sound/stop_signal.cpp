#include "stop_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <system_error>

StopSignal::StopSignal()
    : m_nFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_nFd < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

StopSignal::~StopSignal()
{
    close(m_nFd);
}

void StopSignal::Raise()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_nFd, &one, sizeof one);
}

void StopSignal::Clear()
{
    std::uint64_t value;
    [[maybe_unused]] const ssize_t read_ = read(m_nFd, &value, sizeof value);
}

bool StopSignal::IsRaised() const
{
    pollfd descriptor{m_nFd, POLLIN, 0};
    return poll(&descriptor, 1, 0) > 0;
}
