// Which sources hold which virtual keys: the keyboard and each controller are sources, and a
// key goes down when its first holder presses it and up when its last holder lets go.
#pragma once

#include <bitset>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/platform.h"

namespace platform {

using KeySet = std::bitset<256>;

// The keyboard's source number; controllers are numbered from 0 by the platform.
constexpr int kKeyboardSource = -1;

class KeySources {
public:
    // Makes `keys` what `source` holds. Returns the key-up messages of the keys that nobody
    // holds any more, then the key-down messages of the keys that nobody held before.
    std::vector<Message> hold(int source, const KeySet& keys);

    // Presses or releases one key of `source`, as `hold` does.
    std::vector<Message> setKey(int source, std::uint8_t key, bool down);

    // Releases whatever `source` holds, as `hold` does, and forgets the source.
    std::vector<Message> drop(int source);

    // Forgets every source without a message.
    void clear() { held_.clear(); }

private:
    KeySet heldByOthers(int source) const;

    std::map<int, KeySet> held_;
};

// The sources that the message pump feeds.
KeySources& keySources();

// Queues the messages in order, ahead of the platform's events.
void postMessages(const std::vector<Message>& messages);

}  // namespace platform
