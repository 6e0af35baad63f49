// Counting the holders of each virtual key across the keyboard and the controllers.
#include "platform/key_sources.h"

namespace platform {
namespace {

void appendMessages(std::vector<Message>& messages, const KeySet& keys, MessageKind kind) {
    for (std::size_t key = 0; key < keys.size(); ++key) {
        if (!keys.test(key)) continue;
        Message message;
        message.kind = kind;
        message.key = static_cast<std::uint8_t>(key);
        messages.push_back(message);
    }
}

}  // namespace

std::vector<Message> KeySources::hold(int source, const KeySet& keys) {
    const KeySet others = heldByOthers(source);
    KeySet& held = held_[source];
    const KeySet released = held & ~keys & ~others;
    const KeySet pressed = keys & ~held & ~others;
    held = keys;
    std::vector<Message> messages;
    appendMessages(messages, released, MessageKind::keyUp);
    appendMessages(messages, pressed, MessageKind::keyDown);
    return messages;
}

std::vector<Message> KeySources::setKey(int source, std::uint8_t key, bool down) {
    KeySet keys = held_[source];
    keys.set(key, down);
    return hold(source, keys);
}

std::vector<Message> KeySources::drop(int source) {
    std::vector<Message> messages = hold(source, KeySet{});
    held_.erase(source);
    return messages;
}

KeySet KeySources::heldByOthers(int source) const {
    KeySet keys;
    for (const auto& [holder, held] : held_) {
        if (holder != source) keys |= held;
    }
    return keys;
}

KeySources& keySources() {
    static KeySources sources;
    return sources;
}

void postMessages(const std::vector<Message>& messages) {
    for (const Message& message : messages) postMessage(message);
}

}  // namespace platform
