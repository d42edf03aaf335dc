#pragma once

#include <unistd.h>

#include <utility>

// An open file descriptor, closed when it goes; -1 holds none.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) { }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) { }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        FileDescriptor gone(std::exchange(m_fd, std::exchange(other.m_fd, -1)));
        return *this;
    }
    int get() const { return m_fd; }
    // Closes now, so that an error of the close itself is seen.
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};
