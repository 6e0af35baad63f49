// Loading images with DevIL into GL textures, the texture table and the bound-texture cache.
#include "gfx/texture_manager.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <IL/il.h>

#include <algorithm>
#include <cstdio>

#include "core/text_error.h"
#include "gfx/gfx.h"
#include "gfx/image_decode.h"
#include "gfx/image_file.h"

namespace {

constexpr std::uint32_t kGrowthStep = 5;

// Composed failure texts are cut to fit 299 characters when a name is very long.
[[noreturn]] void failWithName(const char* prefix, const char* detail) {
    char text[300];
    std::snprintf(text, sizeof text, "%s%s", prefix, detail);
    raiseComposedError(text);
}

std::uint32_t maxTextureSide() {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side > 0 ? std::min(static_cast<std::uint32_t>(side), kMaxImageSide) : 1024u;
}

void uploadImage(TextureRecord& record) {
    glBindTexture(GL_TEXTURE_2D, record.glName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLenum format = record.hasAlpha ? GL_RGBA : GL_RGB;
    // DevIL packs rows tightly; GL's default 4-byte row alignment would shear RGB images
    // whose rows are not a multiple of 4 bytes and read past the end of the data.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), record.width, record.height, 0,
                 format, GL_UNSIGNED_BYTE, ilGetData());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        failWithName("An OpenGL error occured:\n",
                     reinterpret_cast<const char*>(gluErrorString(error)));
}

// Errors left pending by unrelated GL calls must not be blamed on this upload.
void discardPendingGlErrors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// Likewise for errors DevIL kept from earlier calls (a failed load leaves some behind).
void discardPendingIlErrors() {
    for (int i = 0; i < 32 && ilGetError() != IL_NO_ERROR; ++i) {
    }
}

void loadInto(TextureRecord& record, std::string_view name) {
    record.fileName = name;
    const char* path = record.fileName.c_str();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    // The DevIL image goes whatever happens, so a failed load leaks nothing.
    struct ImageGuard {
        ILuint id;
        ~ImageGuard() { ilDeleteImages(1, &id); }
    } guard{image};

    discardPendingIlErrors();
    std::vector<std::uint8_t> bytes;
    const DecodeResult result =
        readImageFile(path, bytes) ? decodeImage(bytes, maxTextureSide()) : DecodeResult::refused;
    if (result == DecodeResult::refused) failWithName("Texture not found:\n", path);
    if (result == DecodeResult::unknownFormat) raiseTextError("Unknown IL_IMAGE_FORMAT");
    if (result == DecodeResult::devilError) raiseTextError("A DevIL error occured");
    record.width = ilGetInteger(IL_IMAGE_WIDTH);
    record.height = ilGetInteger(IL_IMAGE_HEIGHT);
    record.hasAlpha = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL) == 4;
    discardPendingGlErrors();
    uploadImage(record);
}

}  // namespace

TextureId loadTexture(std::string_view name) {
    auto& table = gfx->textures.slots;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] && table[i]->fileName == name) return static_cast<TextureId>(i);
    }
    auto slot = std::find(table.begin(), table.end(), nullptr);
    if (slot == table.end()) {
        const std::size_t oldCount = table.size();
        resizeTextureTable(static_cast<std::uint32_t>(oldCount + kGrowthStep));
        slot = table.begin() + static_cast<std::ptrdiff_t>(oldCount);
    }
    const auto id = static_cast<TextureId>(slot - table.begin());
    *slot = std::make_unique<TextureRecord>();
    glGenTextures(1, &(*slot)->glName);
    try {
        loadInto(**slot, name);
    } catch (const TextError&) {
        // A failed name must not be found as loaded by a later call.
        glDeleteTextures(1, &(*slot)->glName);
        slot->reset();
        throw;
    }
    gfx->textures.boundId = id;
    return id;
}

void bindTexture(TextureId id) {
    TextureTable& textures = gfx->textures;
    if (id == textures.boundId || id >= textures.slots.size() || !textures.slots[id]) return;
    glBindTexture(GL_TEXTURE_2D, textures.slots[id]->glName);
    textures.boundId = id;
}

const TextureRecord& textureRecord(TextureId id) {
    return *gfx->textures.slots.at(id);
}

void resizeTextureTable(std::uint32_t count) {
    gfx->textures.slots.resize(count);
}

std::uint32_t textureSlotCount() {
    return static_cast<std::uint32_t>(gfx->textures.slots.size());
}

TextureId boundTextureId() {
    return gfx->textures.boundId;
}

void releaseTextures() {
    releaseTextureTable(gfx->textures);
}

void releaseTextureTable(TextureTable& textures) {
    textures.boundId = 0;
    for (auto& record : textures.slots) {
        if (!record) continue;
        glDeleteTextures(1, &record->glName);
        record.reset();
    }
    textures.slots.clear();
}
