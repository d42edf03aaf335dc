#include "tests/sound/capture_device.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

CaptureDevice::CaptureDevice(Kind kind, int bytesPerSecond)
{
    std::string pattern = (fs::temp_directory_path() / "jhavari-sound-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_folder = pattern;
    m_capture = m_folder / "captured.raw";
    // The file PCM truncates a file it opens by name, so the instant kind hands
    // it a descriptor in append mode: the capture then holds every play in order.
    std::string target;
    if (kind == Kind::Paced) {
        if (mkfifo(m_capture.c_str(), 0600) != 0)
            throw std::runtime_error("mkfifo failed");
        target = "\"" + m_capture.string() + "\"";
    } else {
        m_appendFd = open(m_capture.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (m_appendFd < 0)
            throw std::runtime_error("cannot create the capture file");
        target = std::to_string(m_appendFd);
    }

    const fs::path config = m_folder / "asoundrc";
    std::ofstream(config) << "pcm.jhavari_capture {\n"
                             "  type file\n"
                             "  slave.pcm { type null }\n"
                             "  file "
                          << target
                          << "\n"
                             "  format raw\n"
                             "}\n";
    m_configPath.emplace("ALSA_CONFIG_PATH", config.string());
    m_device.emplace("JHAVARI_ALSA_DEVICE", "jhavari_capture");
    if (kind == Kind::Paced)
        m_reader = std::thread([this, bytesPerSecond] { readPaced(bytesPerSecond); });
}

CaptureDevice::~CaptureDevice()
{
    m_quit = true;
    if (m_reader.joinable())
        m_reader.join();
    if (m_appendFd >= 0)
        close(m_appendFd);
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
}

void CaptureDevice::readPaced(int bytesPerSecond)
{
    // Non-blocking, so that the pipe opens without a writer and reads never hang.
    const int fd = open(m_capture.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return;
    const auto start = std::chrono::steady_clock::now();
    std::size_t taken = 0;
    std::uint8_t buffer[4096];
    while (!m_quit) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const auto allowed = static_cast<std::size_t>(elapsed * bytesPerSecond);
        const std::size_t want = std::min(sizeof buffer, allowed > taken ? allowed - taken : 0);
        const ssize_t n = want > 0 ? read(fd, buffer, want) : 0;
        if (n > 0) {
            taken += static_cast<std::size_t>(n);
            std::lock_guard lock(m_mutex);
            m_received.insert(m_received.end(), buffer, buffer + n);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    close(fd);
}

std::vector<std::int16_t> CaptureDevice::samples()
{
    std::vector<std::uint8_t> bytes;
    if (m_reader.joinable()) {
        std::lock_guard lock(m_mutex);
        bytes = m_received;
    } else {
        std::ifstream in(m_capture, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return samples;
}

std::vector<std::int16_t> CaptureDevice::waitForSamples(std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::vector<std::int16_t> arrived = samples();
    while (arrived.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        arrived = samples();
    }
    return arrived;
}

namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The header of a WAVE file whose data chunk holds dataBytes.
std::string waveHeader(int formatTag, int channels, int sampleRate, int bitsPerSample, std::uint32_t dataBytes)
{
    const auto blockAlign = static_cast<std::uint32_t>(channels * bitsPerSample / 8);
    std::string header = "RIFF";
    putLittleEndian(header, 36 + dataBytes, 4);
    header += "WAVEfmt ";
    putLittleEndian(header, 16, 4);
    putLittleEndian(header, static_cast<std::uint32_t>(formatTag), 2);
    putLittleEndian(header, static_cast<std::uint32_t>(channels), 2);
    putLittleEndian(header, static_cast<std::uint32_t>(sampleRate), 4);
    putLittleEndian(header, static_cast<std::uint32_t>(sampleRate) * blockAlign, 4);
    putLittleEndian(header, blockAlign, 2);
    putLittleEndian(header, static_cast<std::uint32_t>(bitsPerSample), 2);
    header += "data";
    putLittleEndian(header, dataBytes, 4);
    return header;
}

} // namespace

void writeWave(const fs::path& path, int formatTag, int channels, int sampleRate, int bitsPerSample,
               const std::vector<std::uint8_t>& data)
{
    std::string file =
        waveHeader(formatTag, channels, sampleRate, bitsPerSample, static_cast<std::uint32_t>(data.size()));
    file.append(data.begin(), data.end());
    writeBytes(path, file);
}

void writeWave16(const fs::path& path, int sampleRate, const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> data;
    for (const std::int16_t sample : samples) {
        data.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        data.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
    }
    writeWave(path, 1, 1, sampleRate, 16, data);
}

void writeSparseWave16(const fs::path& path, int sampleRate, std::uint32_t dataBytes)
{
    const std::string header = waveHeader(1, 1, sampleRate, 16, dataBytes);
    writeBytes(path, header);
    fs::resize_file(path, header.size() + dataBytes);
}

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::int16_t> rampSamples(std::size_t count, std::int16_t base)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(base + static_cast<int>(i % 1000));
    return samples;
}
