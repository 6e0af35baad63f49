// Start-up of the entity tables, the random seed, the fixed GL state, the images and players.
#include "game/init_game.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>

#include <cstdio>
#include <ctime>

#include "game/world.h"
#include "gfx/image_names.h"
#include "platform/platform.h"

namespace {

constexpr double kTurnStepInterval = 20.0;

void setFixedRenderState() {
    const Settings& settings = world->settings;
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
    const Settings& settings = world->settings;
    int created = 0;
    for (const int slot : enabledSlots(settings)) {
        char patternPath[300];
        std::snprintf(patternPath, sizeof patternPath, "patterns/%.*s",
                      static_cast<int>(kPatternFieldSize), settings.patternFile[slot]);
        const TextureId pattern = loadTexture(patternPath);
        Player* player = createPlayer(pattern, settings.speed, kTurnStepInterval, settings.turnRate,
                                      settings.lineWidth);
        world->players[created++] = player;
        std::snprintf(player->name, sizeof player->name, "%.*s",
                      static_cast<int>(kNameFieldSize - 1), settings.playerName[slot]);
    }
}

void initGame() {
    createEntityTables();
    seedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
    // Where the driver offers no control of the interval its default stays in force.
    platform::setSwapInterval(world->settings.swapInterval);
    setFixedRenderState();
    ilInit();
    iluInit();
    resizeTextureTable(5);
    glEnable(GL_TEXTURE_2D);
    loadTexture(kFontImage);
    world->scenes.wideLogoTexture = loadTexture(kWideLogoImage);
    world->scenes.squareLogoTexture = loadTexture(kSquareLogoImage);
    createPlayers();
}
