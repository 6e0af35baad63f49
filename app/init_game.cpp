// Start-up of the entity tables, the random seed, the fixed GL state, the images and players.
#include "app/init_game.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "app/random.h"
#include "app/settings.h"
#include "game/entities/entity_tables.h"
#include "game/players/player.h"
#include "gfx/image_names.h"
#include "platform/platform.h"

TextureId wideLogoTexture = 0;
TextureId squareLogoTexture = 0;

namespace {

constexpr double kTurnStepInterval = 20.0;

// Each slot's pattern path lives for the whole run: the texture manager keys on its address,
// so two slots naming one file still get a texture each.
char patternPaths[kSlotCount][300];

void setFixedRenderState() {
    glClearColor(settings.clearColorRed / 255.0f, settings.clearColorGreen / 255.0f,
                 settings.clearColorBlue / 255.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glPointSize(5.0f);
    glLineWidth(3.0f);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
}

}  // namespace

void createPlayers() {
    int created = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (settings.slotEnabled[slot] == 0) continue;
        std::snprintf(patternPaths[slot], sizeof patternPaths[slot], "patterns/%.*s",
                      static_cast<int>(kPatternFieldSize), settings.patternFile[slot]);
        const TextureId pattern = loadTexture(patternPaths[slot]);
        Player* player = createPlayer(pattern, settings.speed, kTurnStepInterval, settings.turnRate,
                                      settings.lineWidth);
        players[created++] = player;
        std::snprintf(player->name, sizeof player->name, "%.*s",
                      static_cast<int>(kNameFieldSize - 1), settings.playerName[slot]);
    }
}

void resetStartUpState() {
    wideLogoTexture = 0;
    squareLogoTexture = 0;
    std::memset(patternPaths, 0, sizeof patternPaths);
}

void initGame() {
    createEntityTables();
    seedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
    // Where the driver offers no control of the interval its default stays in force.
    platform::setSwapInterval(settings.swapInterval);
    setFixedRenderState();
    ilInit();
    iluInit();
    resetTextureCache();
    resizeTextureTable(5);
    glEnable(GL_TEXTURE_2D);
    loadTexture(kFontImage);
    wideLogoTexture = loadTexture(kWideLogoImage);
    squareLogoTexture = loadTexture(kSquareLogoImage);
    createPlayers();
}
