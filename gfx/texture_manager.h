// The texture manager: loads each image once into a GL texture, hands out small ids and binds
// through a one-entry cache.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using TextureId = std::uint32_t;

struct TextureRecord {
    std::uint32_t glName = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool hasAlpha = false;
    std::string fileName;  // the lookup key
};

// The run's textures: a table of slots, each empty or holding one record, and the id last bound.
struct TextureTable {
    std::vector<std::unique_ptr<TextureRecord>> slots;
    TextureId boundId = 0;
};

// Returns the texture loaded from the file of this name, or loads the file into a new one
// (which is then bound). Raises a text error when the image cannot be used.
TextureId loadTexture(std::string_view name);

// Binds a loaded texture unless it is already bound; ids beyond the table are ignored.
void bindTexture(TextureId id);

const TextureRecord& textureRecord(TextureId id);

// Grows the table to `count` slots; the new slots are empty.
void resizeTextureTable(std::uint32_t count);

// Number of slots in the table and the id the cache holds.
std::uint32_t textureSlotCount();
TextureId boundTextureId();

// Deletes every texture of the run and empties its table.
void releaseTextures();

// Deletes every texture of `table` and empties it.
void releaseTextureTable(TextureTable& table);
