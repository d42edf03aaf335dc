#include "sound/sound_decoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

SoundDecoder::Image imageOf(const std::string& name)
{
    std::ifstream file(std::string(SOUND_TEST_DATA_DIR) + '/' + name, std::ios::binary);
    return std::make_shared<const std::vector<std::uint8_t>>(std::istreambuf_iterator<char>(file),
                                                             std::istreambuf_iterator<char>());
}

} // namespace

TEST(SoundDecoder, AFileLoadedAgainIsDecodedOnceUnlessItsBytesChangedOrItWasNotAskedForLately)
{
    SoundDecoder decoder;
    const SoundDecoder::Image first = imageOf("ima_adpcm.wav");
    const auto decoded = decoder.decode("/sounds/begin.wav", first).get();
    ASSERT_TRUE(decoded);
    EXPECT_GT(decoded->frameCount(), 0u);

    // Read again on the next load: other memory, the same bytes.
    EXPECT_EQ(decoder.decode("/sounds/begin.wav", imageOf("ima_adpcm.wav")).get(), decoded);
    // The file was replaced on disk meanwhile.
    const auto replaced = decoder.decode("/sounds/begin.wav", imageOf("ms_adpcm.wav")).get();
    ASSERT_TRUE(replaced);
    EXPECT_NE(replaced, decoded);

    // Listening through a folder of sounds keeps only the files asked for lately.
    for (std::size_t i = 0; i < SoundDecoder::kKeptFiles; ++i)
        decoder.decode("/listened/" + std::to_string(i) + ".wav", first);
    const auto last = decoder.decode("/listened/0.wav", first).get();
    EXPECT_NE(decoder.decode("/sounds/begin.wav", imageOf("ms_adpcm.wav")).get(), replaced);
    EXPECT_EQ(decoder.decode("/listened/0.wav", first).get(), last);
}
