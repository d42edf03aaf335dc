#pragma once

#include <vector>

class StoredSound;

// The playback back end behind the sound store.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a loaded sound, decoded from its bytes as it plays; asynchronous
    // playback replaces a running one, synchronous playback returns when the
    // sound has drained. False when the bytes hold no sound or the device
    // cannot be opened at once; there is never a fallback sound.
    virtual bool play(const StoredSound& sound, bool async) = 0;
    // Plays loaded sounds one after another without waiting, each once the
    // one before has ended. Like an asynchronous sound, the sequence ends when
    // another sound starts or stop() is called. False when none could start.
    virtual bool playInTurn(const std::vector<const StoredSound*>& sounds) = 0;
    // Stops a running asynchronous sound.
    virtual void stop() = 0;
    // An asynchronous sound or sequence has not ended yet.
    virtual bool isPlaying() const = 0;
};
