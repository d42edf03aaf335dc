#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Writes volumes to one simple mixer element on a thread of its own. Through a
// sound server every write waits for the server's answer, which must not hold
// up the user interface; only the newest volume asked for is written.
class MixerLevelWriter {
public:
    // Called on the writer's thread after each volume was written.
    using WrittenCallback = std::function<void(long raw)>;

    MixerLevelWriter(std::string device, std::string element, WrittenCallback written);
    // Writes what is still waiting before it returns.
    ~MixerLevelWriter();
    MixerLevelWriter(const MixerLevelWriter&) = delete;
    MixerLevelWriter& operator=(const MixerLevelWriter&) = delete;

    // Replaces a volume that has not been written yet.
    void write(long raw);
    // Nothing waits and nothing is being written.
    bool isIdle() const;
    // Waits until everything asked for so far has been written.
    void flush();

private:
    void run(const std::string& device, const std::string& element);

    WrittenCallback m_written;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<long> m_waiting;
    bool m_writing = false;
    bool m_quit = false;
    std::thread m_thread;
};
