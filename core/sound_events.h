// The sounds of a match as the game reports them: what happened and where across the arena. The
// game fills a list each frame; the game's sound player plays it, the runner mixes it.
#pragma once

#include <cstddef>

enum class SoundKind {
    roundStart,  // a round begins
    crash,       // a line dies
    pickup,      // a pickup is collected
    rocket,      // a rocket is fired
    blast,       // a rocket blasts a hole
    roundOver,   // a round is over and the match goes on
    matchOver,   // the match is over
};

inline constexpr std::size_t kSoundKinds = 7;

// Each kind's file in system/sounds/, in the order of SoundKind.
inline constexpr const char* kSoundFiles[kSoundKinds] = {
    "round_start.wav", "crash.wav", "pickup.wav", "rocket.wav",
    "blast.wav",       "round_over.wav", "match_over.wav"};

struct SoundEvent {
    SoundKind kind;
    float pan;  // -1 at the arena's left edge, 0 in the middle, +1 at its right edge
};
