#pragma once

#include "sound/sound_player.h"

#include <memory>

// The ALSA back end: plays on the PCM device "default", or on the one named by
// the environment variable JHAVARI_ALSA_DEVICE when it is set (read once, here).
// ALSA's own error printing is silenced: a machine without sound stays quiet.
std::shared_ptr<SoundPlayer> createAlsaSoundPlayer();
