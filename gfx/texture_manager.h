// The texture manager: loads each image once into a GL texture, hands out small ids and binds
// through a one-entry cache.
#pragma once

#include <cstdint>

using TextureId = std::uint32_t;

struct TextureRecord {
    std::uint32_t glName = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool hasAlpha = false;
    const char* fileName = nullptr;  // the caller's text, never copied: it is the lookup key
};

// Returns the texture loaded under this very name text, or loads the file into a new one
// (which is then bound). Raises a text error when the image cannot be used.
TextureId loadTexture(const char* name);

// Binds a loaded texture unless it is already bound; ids beyond the table are ignored.
void bindTexture(TextureId id);

const TextureRecord& textureRecord(TextureId id);

// Grows the table to `count` slots; the new slots are empty.
void resizeTextureTable(std::uint32_t count);

// Number of slots in the table and the id the cache holds.
std::uint32_t textureSlotCount();
TextureId boundTextureId();

// Forgets the binding; start-up does this before the first load.
void resetTextureCache();

// Deletes every texture and empties the table.
void releaseTextures();
