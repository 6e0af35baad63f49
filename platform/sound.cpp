// Sound effects through SDL_mixer: a few channels, each effect loaded once, played with a volume
// and a left and right gain. Nothing here knows what a sound means.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <vector>

#include "platform/platform.h"

namespace platform {
namespace {

// Enough for every line of a six-player round to die in one frame beside a blast and a pickup.
constexpr int kChannels = 12;
constexpr int kBufferFrames = 512;  // about 23 ms at the game's rate: short enough to be in time

std::vector<Mix_Chunk*> chunks;
bool soundOpen = false;

// A gain of 0 to 1 as SDL_mixer's panning takes it.
Uint8 panningOf(float gain) {
    return static_cast<Uint8>(std::clamp(gain, 0.0f, 1.0f) * 255.0f + 0.5f);
}

}  // namespace

bool openSound(int rate, std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(rate, AUDIO_S16SYS, 2, kBufferFrames) != 0) {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kChannels);
    soundOpen = true;
    return true;
}

int loadSound(const std::string& path, std::string& error) {
    if (!soundOpen) return -1;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr) {
        error = path + ": " + Mix_GetError();
        return -1;
    }
    chunks.push_back(chunk);
    return static_cast<int>(chunks.size()) - 1;
}

void playSound(int sound, int volume, float left, float right) {
    if (!soundOpen || sound < 0 || sound >= static_cast<int>(chunks.size())) return;
    // A free channel, or else the one that has played longest: a new crash is not lost.
    int channel = Mix_GroupAvailable(-1);
    if (channel < 0) channel = Mix_GroupOldest(-1);
    if (channel < 0) return;
    Mix_HaltChannel(channel);
    Mix_Volume(channel, volume * MIX_MAX_VOLUME / 100);
    Mix_SetPanning(channel, panningOf(left), panningOf(right));
    Mix_PlayChannel(channel, chunks[static_cast<std::size_t>(sound)], 0);
}

void pauseSound(bool paused) {
    if (!soundOpen) return;
    if (paused)
        Mix_Pause(-1);
    else
        Mix_Resume(-1);
}

void closeSound() {
    if (!soundOpen) return;
    Mix_HaltChannel(-1);
    for (Mix_Chunk* chunk : chunks) Mix_FreeChunk(chunk);
    chunks.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    soundOpen = false;
}

}  // namespace platform
