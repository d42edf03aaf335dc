#pragma once

#include "tests/support/scoped_environment.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A sound device without a sound card: an ALSA "file" PCM over "null" defined in
// a temporary asoundrc (ALSA_CONFIG_PATH) and selected through JHAVARI_ALSA_DEVICE,
// so that everything played lands as raw 16-bit samples in a capture file.
// Create it before the player: the player reads the device name once.
class CaptureDevice {
public:
    // Instant: a regular capture file that takes samples as fast as they come.
    // Paced: a named pipe emptied at bytesPerSecond, like a card playing in real time.
    enum class Kind { Instant, Paced };
    explicit CaptureDevice(Kind kind = Kind::Instant, int bytesPerSecond = 0);
    ~CaptureDevice();

    const std::filesystem::path& folder() const { return m_folder; }
    // Every sample that has arrived so far, in order, across all plays.
    std::vector<std::int16_t> samples();
    // Waits (at most five seconds) until at least count samples have arrived.
    std::vector<std::int16_t> waitForSamples(std::size_t count);

private:
    void readPaced(int bytesPerSecond);

    std::filesystem::path m_folder;
    std::optional<ScopedEnvironment> m_configPath; // both put back when the device goes
    std::optional<ScopedEnvironment> m_device;
    std::filesystem::path m_capture;
    std::mutex m_mutex;
    int m_appendFd = -1;                  // instant kind only
    std::vector<std::uint8_t> m_received; // paced kind only
    std::atomic<bool> m_quit{false};
    std::thread m_reader;
};

// Writes a RIFF WAVE file: format tag 1 (integer PCM) or 3 (IEEE float).
void writeWave(const std::filesystem::path& path, int formatTag, int channels, int sampleRate, int bitsPerSample,
               const std::vector<std::uint8_t>& data);
// A mono 16-bit WAVE file of the given samples.
void writeWave16(const std::filesystem::path& path, int sampleRate, const std::vector<std::int16_t>& samples);
// A mono 16-bit WAVE file of dataBytes of silence that takes no room on disk: a sparse file.
void writeSparseWave16(const std::filesystem::path& path, int sampleRate, std::uint32_t dataBytes);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
// Samples that tell one test sound from another: base, base+1, ... wrapping after 1000.
std::vector<std::int16_t> rampSamples(std::size_t count, std::int16_t base);
