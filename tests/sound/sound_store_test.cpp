#include "sound/sound_store.h"
#include "tests/sound/capture_device.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

namespace {

// Records what the store asks of its back end.
class RecordingPlayer : public SoundPlayer {
public:
    bool play(const StoredSound& sound, bool async) override
    {
        m_played.push_back(sound.m_path + (async ? " async" : " sync"));
        return m_result;
    }
    bool playInTurn(const std::vector<const StoredSound*>& sounds) override
    {
        for (const StoredSound* sound : sounds)
            m_played.push_back(sound->m_path + " in turn");
        return m_result;
    }
    void stop() override { }
    bool isPlaying() const override { return false; }

    std::vector<std::string> m_played;
    bool m_result = true;
};

class SoundStoreTest : public testing::Test {
protected:
    std::string makeFile(const std::string& name, const std::string& bytes)
    {
        const auto path = m_device.folder() / name;
        writeBytes(path, bytes);
        return path.string();
    }

    CaptureDevice m_device; // only for its temporary folder
    std::shared_ptr<RecordingPlayer> m_player = std::make_shared<RecordingPlayer>();
};

std::string contentsOf(const SoundBytes& bytes)
{
    std::string contents(static_cast<std::size_t>(bytes.size()), '\0');
    contents.resize(static_cast<std::size_t>(bytes.read(0, contents.data(), bytes.size())));
    return contents;
}

TEST_F(SoundStoreTest, LoadFileKeepsAnyReadableFileOnceAndByteForByte)
{
    const std::string bytes("RIFF\0\x01\x02\xff tail", 13);
    const std::string path = makeFile("a.wav", bytes);
    StoredSound sound;
    EXPECT_FALSE(sound.m_loaded);
    ASSERT_TRUE(sound.loadFile(path));
    EXPECT_EQ(sound.m_loaded, 1);
    EXPECT_EQ(sound.m_path, path);

    // The sound loaded stays the one that plays, even when its file is
    // replaced, and also once the file has been let go of.
    const std::string other = makeFile("b.wav", "other");
    std::filesystem::rename(other, path);
    ASSERT_TRUE(sound.bytes());
    EXPECT_EQ(contentsOf(*sound.bytes()), bytes);
    sound.letGoOfSmallFile();
    EXPECT_EQ(contentsOf(*sound.bytes()), bytes);

    // A loaded record keeps what it has.
    EXPECT_FALSE(sound.loadFile(makeFile("b.wav", "other")));
    EXPECT_EQ(sound.m_path, path);

    StoredSound empty;
    EXPECT_TRUE(empty.loadFile(makeFile("empty.wav", "")));
    ASSERT_TRUE(empty.bytes());
    EXPECT_EQ(contentsOf(*empty.bytes()), "");

    // A FIFO would block the opening; it counts as missing like a device.
    const std::string fifo = (m_device.folder() / "pipe.wav").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& unreadable : {(m_device.folder() / "missing.wav").string(), std::string(),
                                          m_device.folder().string(), fifo, std::string("/dev/zero")}) {
        StoredSound failed;
        EXPECT_FALSE(failed.loadFile(unreadable)) << unreadable;
        EXPECT_EQ(failed.m_loaded, 0) << unreadable;
        // A failed record may be loaded again.
        EXPECT_TRUE(failed.loadFile(other));
    }
}

TEST_F(SoundStoreTest, IdsArePositionsOfTheLoadedSoundsOnly)
{
    SoundStore store(m_player);
    EXPECT_EQ(store.addSound(makeFile("1.wav", "one")), 1);
    EXPECT_EQ(store.addSound((m_device.folder() / "missing.wav").string()), 0);
    EXPECT_EQ(store.addSound(makeFile("2.wav", "two")), 2);
    EXPECT_EQ(store.addSound(makeFile("3.wav", "")), 3);
    EXPECT_EQ(store.count(), 3);

    EXPECT_FALSE(store.removeSound(0));
    EXPECT_FALSE(store.removeSound(4));
    EXPECT_FALSE(store.removeSound(-1));
    EXPECT_EQ(store.count(), 3);

    // Removing the first moves the later ones down.
    EXPECT_TRUE(store.removeSound(1));
    EXPECT_EQ(store.count(), 2);
    EXPECT_TRUE(store.playSoundById(1, PlayMode::Async));
    EXPECT_TRUE(store.playSoundById(2, PlayMode::Sync));
    EXPECT_EQ(m_player->m_played, (std::vector<std::string>{(m_device.folder() / "2.wav").string() + " async",
                                                            (m_device.folder() / "3.wav").string() + " sync"}));
}

TEST_F(SoundStoreTest, PlaySoundByIdRefusesIdsOutsideTheStore)
{
    SoundStore store(m_player);
    ASSERT_EQ(store.addSound(makeFile("1.wav", "one")), 1);

    EXPECT_FALSE(store.playSoundById(0, PlayMode::Async));
    EXPECT_FALSE(store.playSoundById(0, PlayMode::Sync));
    EXPECT_TRUE(m_player->m_played.empty());
    EXPECT_FALSE(store.playSoundById(2, PlayMode::Async));
    EXPECT_FALSE(store.playSoundById(-1, PlayMode::Sync));
    EXPECT_TRUE(m_player->m_played.empty());

    // The back end's answer is passed on.
    m_player->m_result = false;
    EXPECT_FALSE(store.playSoundById(1, PlayMode::Async));
    EXPECT_EQ(m_player->m_played.size(), 1u);
    EXPECT_THROW(SoundStore(nullptr), std::invalid_argument);
}

} // namespace
