// Physical key positions to virtual-key codes, through the game's one key table: SDL's scancodes
// are the USB HID usage ids that the table gives each key.
#include <SDL.h>

#include "core/keys.h"
#include "platform/platform.h"

namespace platform {

static_assert(SDL_SCANCODE_A == 4 && SDL_SCANCODE_1 == 30 && SDL_SCANCODE_LEFT == 80 &&
                  SDL_SCANCODE_KP_ENTER == 88 && SDL_SCANCODE_RALT == 230,
              "SDL's scancodes are USB HID usage ids");

std::uint8_t virtualKeyForScancode(int scancode) {
    return keyAtUsage(scancode);
}

}  // namespace platform
