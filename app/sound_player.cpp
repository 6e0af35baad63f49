// Playing the frame's sound list; the game itself never waits for sound.
#include "app/sound_player.h"

#include <array>
#include <string>

#include "app/error_log.h"
#include "core/sound_mix.h"
#include "core/wave_file.h"
#include "game/world.h"
#include "platform/platform.h"

namespace {

std::array<int, kSoundKinds> sounds{};
bool playing = false;

// The one line errorlog.txt gets for a game that plays on without sound.
void noteSilence(const std::string& reason) {
    noteInErrorLog("Sound: " + reason + "; the game plays silently.");
}

}  // namespace

void startSound() {
    if (!world->sound.on) return;
    std::string error;
    if (!platform::openSound(static_cast<int>(kSoundRate), error)) {
        noteSilence("no audio device (" + error + ")");
        return;
    }
    for (std::size_t kind = 0; kind < kSoundKinds; ++kind) {
        sounds[kind] = platform::loadSound(std::string("system/sounds/") + kSoundFiles[kind], error);
        if (sounds[kind] < 0) {
            platform::closeSound();
            noteSilence("cannot load " + error);
            return;
        }
    }
    playing = true;
}

void playFrameSounds() {
    if (!playing) return;
    for (const SoundEvent& event : world->sounds) {
        const PanGains gains = panGains(event.pan);
        platform::playSound(sounds[static_cast<std::size_t>(event.kind)], world->sound.volume,
                            gains.left, gains.right);
    }
}

void stopSound() {
    if (!playing) return;
    platform::closeSound();
    playing = false;
}
