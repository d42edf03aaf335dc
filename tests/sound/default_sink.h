#pragma once

// The private sound server's default sink (tests/sound/with_pulseaudio.sh, with_pipewire.sh), read and set
// through pactl.

// PulseAudio's full volume, the top of the ALSA plug-in's element range.
inline constexpr int kServerFullVolume = 65536;

// The volume of every channel, or -1 while the channels differ or when pactl does not tell it.
int sinkVolume();
bool sinkMuted();
void setSinkVolume(int volume);
void setSinkMuted(bool muted);
// A suspended sink takes no samples until it is resumed.
void setSinkSuspended(bool suspended);
// How many streams play into the server now.
int playingStreams();
