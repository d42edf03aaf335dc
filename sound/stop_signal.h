#pragma once

// A flag another thread raises to end a running playback; it is a file
// descriptor so that a playback waiting in poll() wakes at once.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void raise();
    void clear();
    bool isRaised() const;
    int fd() const { return m_fd; }

private:
    int m_fd;
};
