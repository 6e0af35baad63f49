// The texture manager against real image files and the real GL context: ids, the cache, formats.
#include "gfx/texture_manager.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <deque>
#include <filesystem>
#include <string>

#include "core/text_error.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

const std::string kNotFound = "Texture not found:\n";

// A 3 x 2 picture of six different colours, RGB rows top first. Three RGB pixels make a row of
// 9 bytes, which is not a multiple of 4.
const std::vector<std::uint8_t> kPicture = {200, 100, 50, 30, 160, 90,  90,  40,  220,
                                            250, 250, 20, 20, 220, 240, 140, 140, 140};

std::vector<std::uint8_t> withAlpha(const std::vector<std::uint8_t>& rgb) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        out.insert(out.end(), rgb.begin() + i, rgb.begin() + i + 3);
        out.push_back(255);
    }
    return out;
}

// Each byte doubled: the same picture with 16 bits per channel.
std::vector<std::uint8_t> wide(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> out;
    for (std::uint8_t b : bytes) out.insert(out.end(), {b, b});
    return out;
}

std::string loadError(const char* name) {
    try {
        loadTexture(name);
    } catch (const TextError& error) {
        return error.text;
    }
    return "(loaded)";
}

GLint boundGlTexture() {
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

GLint internalFormat(TextureId id) {
    glBindTexture(GL_TEXTURE_2D, textureRecord(id).glName);
    GLint format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    return format;
}

// Draws the texture over a 200 x 200 square at the origin, blending off, and reads the colour
// shown at texture coordinates (s, t).
Rgba texel(TextureId id, double s, double t) {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, textureRecord(id).glName);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex2i(0, 0);
    glTexCoord2d(1, 0);
    glVertex2i(200, 0);
    glTexCoord2d(1, 1);
    glVertex2i(200, 200);
    glTexCoord2d(0, 1);
    glVertex2i(0, 200);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    return colorAt(static_cast<int>(s * 200), static_cast<int>(t * 200));
}

// Every pixel of kPicture shows at its texel's centre, the picture's top row at the top (t
// near 1) of texture space.
void expectPicture(TextureId id) {
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const Rgba c = texel(id, (x + 0.5) / 3, 1 - (y + 0.5) / 2);
            const std::uint8_t* want = &kPicture[(y * 3 + x) * 3];
            EXPECT_NEAR(c.r, want[0], 8) << "pixel " << x << "," << y;
            EXPECT_NEAR(c.g, want[1], 8) << "pixel " << x << "," << y;
            EXPECT_NEAR(c.b, want[2], 8) << "pixel " << x << "," << y;
        }
    }
}

class TextureManager : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        startTextureManager();
        folder = makeScratchFolder("quorl-textures");
    }
    void TearDown() override {
        GlTest::TearDown();
        fs::remove_all(folder);
    }

    // A name text that lives as long as the test.
    const char* name(const std::string& text) { return names.emplace_back(text).c_str(); }

    // Writes `bytes` as `leaf` in the scratch folder and returns its path.
    const char* file(const std::string& leaf, const std::vector<std::uint8_t>& bytes) {
        writeFile(folder / leaf, bytes);
        return name((folder / leaf).string());
    }

    const char* picturePng() { return file("rgb.png", encodePng(3, 2, 2, 8, kPicture)); }

    fs::path folder;
    std::deque<std::string> names;  // a deque never moves its elements
};

}  // namespace

TEST_F(TextureManager, ANameLoadsOnceWhicheverTextHoldsIt) {
    const char* path = picturePng();
    const TextureId first = loadTexture(path);
    EXPECT_EQ(first, 0u);
    fs::remove(path);
    EXPECT_EQ(loadTexture(path), first) << "the file must not be read a second time";
    EXPECT_EQ(loadTexture(std::string(path)), first) << "another text holding the same name";
    EXPECT_EQ(loadTexture(file("other.png", encodePng(3, 2, 2, 8, kPicture))), 1u);
}

TEST_F(TextureManager, SixthLoadGrowsTheTableByFive) {
    for (TextureId expected = 0; expected < 6; ++expected) {
        const std::string leaf = std::to_string(expected) + ".png";
        EXPECT_EQ(loadTexture(file(leaf, encodePng(3, 2, 2, 8, kPicture))), expected);
    }
    EXPECT_EQ(textureSlotCount(), 10u);
}

TEST_F(TextureManager, BindSkipsTheCachedAndUnknownIds) {
    const TextureId id = loadTexture(picturePng());
    EXPECT_EQ(boundTextureId(), id);
    EXPECT_EQ(boundGlTexture(), static_cast<GLint>(textureRecord(id).glName));

    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    bindTexture(id);
    EXPECT_EQ(boundGlTexture(), static_cast<GLint>(other)) << "cached id must not rebind";
    bindTexture(4);   // an empty slot
    bindTexture(99);  // beyond the table
    EXPECT_EQ(boundGlTexture(), static_cast<GLint>(other));
    EXPECT_EQ(boundTextureId(), id);
    glDeleteTextures(1, &other);
}

TEST_F(TextureManager, ReleaseDeletesEveryTextureAndEmptiesTheTable) {
    const GLuint a = textureRecord(loadTexture(picturePng())).glName;
    const GLuint b =
        textureRecord(loadTexture(file("other.png", encodePng(3, 2, 2, 8, kPicture)))).glName;
    releaseTextures();
    EXPECT_EQ(textureSlotCount(), 0u);
    EXPECT_EQ(boundTextureId(), 0u);
    EXPECT_FALSE(glIsTexture(a));
    EXPECT_FALSE(glIsTexture(b));
}

TEST_F(TextureManager, PngsUploadAsRgbOrRgbaWithTheTopRowAtTheTop) {
    const TextureId rgb = loadTexture(picturePng());
    const TextureId rgba =
        loadTexture(file("rgba.png", encodePng(3, 2, 6, 8, withAlpha(kPicture))));
    EXPECT_EQ(internalFormat(rgb), GL_RGB);
    EXPECT_EQ(internalFormat(rgba), GL_RGBA);
    for (TextureId id : {rgb, rgba}) {
        EXPECT_EQ(textureRecord(id).width, 3);
        EXPECT_EQ(textureRecord(id).height, 2);
        expectPicture(id);
    }
    EXPECT_FALSE(textureRecord(rgb).hasAlpha);
    EXPECT_TRUE(textureRecord(rgba).hasAlpha);
}

// DevIL reads BMPs as BGR (it drops the unused fourth byte of a 32-bit BMP) and bottom row first.
TEST_F(TextureManager, BmpsKeepTheirColoursAndOrientation) {
    for (const int bits : {24, 32}) {
        const auto pixels = bits == 24 ? kPicture : withAlpha(kPicture);
        const std::string leaf = std::to_string(bits) + ".bmp";
        const TextureId id = loadTexture(file(leaf, encodeBmp(3, 2, bits, pixels)));
        EXPECT_EQ(textureRecord(id).width, 3);
        EXPECT_EQ(textureRecord(id).height, 2);
        expectPicture(id);
    }
}

TEST_F(TextureManager, SixteenBitPngsAreNarrowedToBytes) {
    const TextureId rgb = loadTexture(file("16.png", encodePng(3, 2, 2, 16, wide(kPicture))));
    const TextureId rgba =
        loadTexture(file("16a.png", encodePng(3, 2, 6, 16, wide(withAlpha(kPicture)))));
    EXPECT_EQ(internalFormat(rgb), GL_RGB);
    EXPECT_FALSE(textureRecord(rgb).hasAlpha);
    EXPECT_EQ(internalFormat(rgba), GL_RGBA);
    EXPECT_TRUE(textureRecord(rgba).hasAlpha);
    expectPicture(rgb);
    expectPicture(rgba);
}

TEST_F(TextureManager, GreyAndPalettePngsAreRefused) {
    EXPECT_EQ(loadError(file("grey.png", encodePng(2, 2, 0, 8, {0, 80, 160, 240}))),
              "Unknown IL_IMAGE_FORMAT");
    EXPECT_EQ(loadError(file("greya.png", encodePng(1, 2, 4, 8, {80, 255, 160, 255}))),
              "Unknown IL_IMAGE_FORMAT");
    EXPECT_EQ(loadError(file("palette.png", encodePng(2, 1, 3, 8, {0, 1}, {255, 0, 0, 0, 0, 255}))),
              "Unknown IL_IMAGE_FORMAT");
}

TEST_F(TextureManager, UnusableFilesFailWithTheirName) {
    auto png = encodePng(3, 2, 2, 8, kPicture);
    auto corrupt = png;
    corrupt[45] ^= 0xFF;  // in IDAT's data: breaks the chunk's checksum
    const std::vector<std::uint8_t> truncated(png.begin(), png.begin() + 50);
    auto huge = png;          // only the header claims the size; decoding must never start
    huge[17] = huge[21] = 1;  // 65536 x 65536
    huge[19] = huge[23] = 0;
    fs::create_directory(folder / "folder.png");

    const std::vector<const char*> bad = {
        name("missing.png"),
        file("corrupt.png", corrupt),
        file("truncated.png", truncated),
        file("text.png", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}),
        name((folder / "folder.png").string()),
        file("empty.png", {}),
        file("wide.png", encodePng(100000, 1, 2, 8, std::vector<std::uint8_t>(300000))),
        file("huge.png", huge),
    };
    for (const char* path : bad) EXPECT_EQ(loadError(path), kNotFound + path);
}

TEST_F(TextureManager, LongNameIsCutToTheMessageBuffer) {
    const std::string path = std::string(400, 'x') + ".png";
    const std::string message = loadError(name(path));
    EXPECT_EQ(message, (kNotFound + path).substr(0, 299));
}

TEST_F(TextureManager, PendingErrorsAreNotBlamedOnTheNextLoad) {
    auto corrupt = encodePng(3, 2, 2, 8, kPicture);
    corrupt[45] ^= 0xFF;
    loadError(file("corrupt.png", corrupt));  // leaves errors in DevIL's error stack
    glEnable(0xFFFF);                         // leaves GL_INVALID_ENUM pending
    EXPECT_EQ(loadError(picturePng()), "(loaded)");
}

TEST_F(TextureManager, FailedLoadLeavesNoRecordBehind) {
    const char* path = file("late.png", {});
    EXPECT_EQ(loadError(path), kNotFound + path);
    EXPECT_EQ(loadError(path), kNotFound + path) << "a failed name must not look loaded";
    writeFile(path, encodePng(3, 2, 2, 8, kPicture));
    EXPECT_EQ(loadTexture(path), 0u);
}

// Hostile and unusual image files: the loader must refuse what would make DevIL misread, and
// still show what is merely unusual.

TEST_F(TextureManager, TheContentNotTheNamePicksTheDecoder) {
    expectPicture(loadTexture(file("png.gif", encodePng(3, 2, 2, 8, kPicture))));
    expectPicture(loadTexture(file("bmp.png", encodeBmp(3, 2, 24, kPicture))));
    const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1,  0,
                                           0,   0,   0,   ',', 0,   0,   0, 0, 1,  0,
                                           1,   0,   0,   2,   2,   'D', 1, 0, ';'};
    for (const char* leaf : {"gif.png", "gif.gif"}) {
        const char* path = file(leaf, gif);
        EXPECT_EQ(loadError(path), kNotFound + path);
    }
}

TEST_F(TextureManager, InterlacedAndOverlongPngsShowThePicture) {
    const auto zlibOf = [](const std::vector<std::uint8_t>& raw) {
        std::vector<std::uint8_t> stream(compressBound(static_cast<uLong>(raw.size())));
        uLongf size = static_cast<uLongf>(stream.size());
        EXPECT_EQ(compress(stream.data(), &size, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
        stream.resize(size);
        return stream;
    };
    const auto filtered = [](std::vector<std::uint8_t>& raw, int x, int y, int count) {
        raw.push_back(0);
        raw.insert(raw.end(), kPicture.begin() + (y * 3 + x) * 3,
                   kPicture.begin() + (y * 3 + x + count) * 3);
    };
    // The Adam7 passes of a 3 x 2 picture: (0,0), then (2,0), then (1,0), then the second row.
    std::vector<std::uint8_t> passes, surplus;
    filtered(passes, 0, 0, 1);
    filtered(passes, 2, 0, 1);
    filtered(passes, 1, 0, 1);
    filtered(passes, 0, 1, 3);
    // Far more data than the header's two rows hold: the rest is ignored.
    filtered(surplus, 0, 0, 3);
    filtered(surplus, 0, 1, 3);
    surplus.resize(60000, 0);

    std::vector<PngChunk> interlaced = pngChunks(encodePng(3, 2, 2, 8, kPicture));
    std::vector<PngChunk> overlong = interlaced;
    interlaced[0].data[12] = 1;
    interlaced[1].data = zlibOf(passes);
    overlong[1].data = zlibOf(surplus);
    expectPicture(loadTexture(file("interlaced.png", assemblePng(interlaced))));
    expectPicture(loadTexture(file("overlong.png", assemblePng(overlong))));
}

TEST_F(TextureManager, PngsWhoseChunksDoNotAddUpAreRefused) {
    const std::vector<std::uint8_t> png = encodePng(3, 2, 2, 8, kPicture);
    auto idatLength = png;  // IDAT's length field is at byte 33
    idatLength[33] = 0x7F;
    auto wrappingLength = png;
    wrappingLength[33] = wrappingLength[34] = 0xFF;
    // A text chunk claiming 2 GiB: libpng would crawl through that many missing bytes.
    auto textLength = png;
    const std::vector<std::uint8_t> text = {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 'a', 'b'};
    textLength.insert(textLength.begin() + 33, text.begin(), text.end());
    std::vector<PngChunk> fewerRows = pngChunks(png);
    fewerRows[0].data[7] = 4;  // the header claims four rows, the data holds two

    for (const char* path :
         {file("idat.png", idatLength), file("wrap.png", wrappingLength),
          file("text.png", textLength), file("no-end.png", {png.begin(), png.end() - 12}),
          file("rows.png", assemblePng(fewerRows))})
        EXPECT_EQ(loadError(path), kNotFound + path);
}

TEST_F(TextureManager, PaletteIndicesBeyondAShortPaletteAreNeverLookedUp) {
    // One palette entry and every index 200, once with transparency: DevIL keeps the indices as
    // they are while loading, and the format is refused before anything would look them up.
    // A writer refuses such indices, so a full palette is cut down to its first entry.
    std::vector<PngChunk> shortPalette = pngChunks(encodePng(
        4, 4, 3, 8, std::vector<std::uint8_t>(16, 200), std::vector<std::uint8_t>(256 * 3, 255)));
    shortPalette[1].data = {255, 0, 0};
    std::vector<PngChunk> transparent = shortPalette;
    transparent.insert(transparent.begin() + 2, PngChunk{"tRNS", {0x80}});
    EXPECT_EQ(loadError(file("short.png", assemblePng(shortPalette))), "Unknown IL_IMAGE_FORMAT");
    EXPECT_EQ(loadError(file("short-trns.png", assemblePng(transparent))),
              "Unknown IL_IMAGE_FORMAT");
}

TEST_F(TextureManager, NoSideLongerThan4096IsDecoded) {
    const auto row = [](std::uint32_t width) {
        return encodePng(width, 1, 2, 8, std::vector<std::uint8_t>(width * 3, 90));
    };
    EXPECT_EQ(loadError(file("4096.png", row(4096))), "(loaded)");
    const char* wider = file("4097.png", row(4097));
    EXPECT_EQ(loadError(wider), kNotFound + wider);
}
