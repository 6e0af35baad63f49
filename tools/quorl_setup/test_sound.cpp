// Playing a test sound through the platform's sound, which the game plays through too.
#include "tools/quorl_setup/test_sound.h"

#include "core/sound_events.h"
#include "core/sound_mix.h"
#include "core/wave_file.h"
#include "platform/platform.h"

std::string playTestSound(const std::string& folder, int volume) {
    static int sound = -1;
    static std::string problem;
    if (sound < 0 && problem.empty()) {
        std::string error;
        if (!platform::openSound(static_cast<int>(kSoundRate), error)) {
            problem = "No sound: no audio device (" + error + ")";
        } else {
            const std::size_t kind = static_cast<std::size_t>(SoundKind::roundStart);
            sound = platform::loadSound(folder + "/system/sounds/" + kSoundFiles[kind], error);
            if (sound < 0) problem = "No sound: cannot load " + error;
        }
    }
    if (sound < 0) return problem;
    const PanGains gains = panGains(0.0f);
    platform::playSound(sound, volume, gains.left, gains.right);
    return "";
}
