#pragma once

#include "sound/sound_player.h"
#include "sound/wave_gain.h"

#include <memory>

// The ALSA back end: plays on the PCM device "default", or on the one named by
// the environment variable JHAVARI_ALSA_DEVICE when it is set (read once, here).
// ALSA's own error printing is silenced: a machine without sound stays quiet.
// Every sample played is scaled by the gain, which stays shared with whoever sets it.
std::shared_ptr<SoundPlayer> createAlsaSoundPlayer(std::shared_ptr<const WaveGain> gain = std::make_shared<WaveGain>());
