#pragma once

// Whether playing a sound returns at once or only when the sound has ended.
enum class PlayMode { Sync, Async };
