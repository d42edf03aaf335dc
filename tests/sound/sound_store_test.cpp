#include "capture_device.h"
#include "sound_manager.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Records what the store asks of its back end.
class CRecordingPlayer : public ISoundPlayer {
public:
    void Prepare(CSoundData& sound) override
    {
        m_aPrepared.push_back(sound.m_strPath);
        sound.m_pPrepared = sound.m_pImage;
    }
    bool Play(const CSoundData& sound, bool async) override
    {
        m_aPlayed.push_back(sound.m_strPath + (async ? " async" : " sync"));
        return m_bResult;
    }
    void Stop() override {}

    std::vector<std::string> m_aPrepared;
    std::vector<std::string> m_aPlayed;
    bool m_bResult = true;
};

class SoundStore : public testing::Test {
protected:
    std::string MakeFile(const std::string& name, const std::string& bytes)
    {
        const auto path = m_device.Folder() / name;
        WriteBytes(path, bytes);
        return path.string();
    }

    CCaptureDevice m_device; // only for its temporary folder
    std::shared_ptr<CRecordingPlayer> m_pPlayer = std::make_shared<CRecordingPlayer>();
};

TEST_F(SoundStore, LoadFileReadsAnyReadableFileOnceAndByteForByte)
{
    const std::string bytes("RIFF\0\x01\x02\xff tail", 13);
    const std::string path = MakeFile("a.wav", bytes);
    CSoundData sound;
    EXPECT_FALSE(sound.m_bLoaded);
    ASSERT_TRUE(sound.LoadFile(path));
    EXPECT_EQ(sound.m_bLoaded, 1);
    EXPECT_EQ(sound.m_strPath, path);
    ASSERT_TRUE(sound.m_pImage);
    EXPECT_EQ(std::string(sound.m_pImage->begin(), sound.m_pImage->end()), bytes);

    // A loaded record keeps what it has.
    const std::string other = MakeFile("b.wav", "other");
    EXPECT_FALSE(sound.LoadFile(other));
    EXPECT_EQ(sound.m_strPath, path);
    EXPECT_EQ(sound.m_pImage->size(), bytes.size());

    CSoundData empty;
    EXPECT_TRUE(empty.LoadFile(MakeFile("empty.wav", "")));
    ASSERT_TRUE(empty.m_pImage);
    EXPECT_TRUE(empty.m_pImage->empty());

    for (const std::string& unreadable :
         {(m_device.Folder() / "missing.wav").string(), std::string(), m_device.Folder().string()}) {
        CSoundData failed;
        EXPECT_FALSE(failed.LoadFile(unreadable)) << unreadable;
        EXPECT_EQ(failed.m_bLoaded, 0) << unreadable;
        // A failed record may be loaded again.
        EXPECT_TRUE(failed.LoadFile(path));
    }
}

TEST_F(SoundStore, IdsArePositionsOfTheLoadedSoundsOnly)
{
    CSoundManager store(m_pPlayer);
    EXPECT_EQ(store.AddSound(MakeFile("1.wav", "one")), 1);
    EXPECT_EQ(store.AddSound((m_device.Folder() / "missing.wav").string()), 0);
    EXPECT_EQ(store.AddSound(MakeFile("2.wav", "two")), 2);
    EXPECT_EQ(store.AddSound(MakeFile("3.wav", "")), 3);
    EXPECT_EQ(store.GetCount(), 3);
    // Only loaded files are prepared for playing.
    EXPECT_EQ(m_pPlayer->m_aPrepared.size(), 3u);

    EXPECT_FALSE(store.RemoveSound(0));
    EXPECT_FALSE(store.RemoveSound(4));
    EXPECT_FALSE(store.RemoveSound(-1));
    EXPECT_EQ(store.GetCount(), 3);

    // Removing the first moves the later ones down.
    EXPECT_TRUE(store.RemoveSound(1));
    EXPECT_EQ(store.GetCount(), 2);
    EXPECT_TRUE(store.PlaySoundById(1, SND_ASYNC));
    EXPECT_TRUE(store.PlaySoundById(2, SND_SYNC));
    EXPECT_EQ(m_pPlayer->m_aPlayed,
              (std::vector<std::string>{(m_device.Folder() / "2.wav").string() + " async",
                                        (m_device.Folder() / "3.wav").string() + " sync"}));
}

TEST_F(SoundStore, PlaySoundByIdRefusesIdsOutsideTheStore)
{
    CSoundManager store(m_pPlayer);
    ASSERT_EQ(store.AddSound(MakeFile("1.wav", "one")), 1);

    EXPECT_FALSE(store.PlaySoundById(0, SND_ASYNC));
    EXPECT_FALSE(store.PlaySoundById(0, SND_SYNC));
    EXPECT_TRUE(m_pPlayer->m_aPlayed.empty());
    EXPECT_THROW(store.PlaySoundById(2, SND_ASYNC), std::invalid_argument);
    EXPECT_THROW(store.PlaySoundById(-1, SND_SYNC), std::invalid_argument);
    EXPECT_TRUE(m_pPlayer->m_aPlayed.empty());

    // The back end's answer is passed on.
    m_pPlayer->m_bResult = false;
    EXPECT_FALSE(store.PlaySoundById(1, SND_ASYNC));
    EXPECT_EQ(m_pPlayer->m_aPlayed.size(), 1u);
    EXPECT_THROW(CSoundManager(nullptr), std::invalid_argument);
}

} // namespace
