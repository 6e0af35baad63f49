// The round start: five random draws per player, the round count and the round's render state.
#include "game/scenes/round_start.h"

#include <GL/gl.h>

#include "core/settings.h"
#include "game/players/player.h"
#include "game/random.h"
#include "game/scenes/scene_state.h"
#include "game/sound_report.h"
#include "game/world.h"

void startRound() {
    for (int i = 0; i < activePlayerCount(); ++i) {
        const int mx = nextRandom() % 3 + 1;
        const int my = nextRandom() % 3 + 1;
        const int x = mx * (nextRandom() % 200 + 28);
        const int y = my * (nextRandom() % 200 + 28);
        const int heading = nextRandom() % 360;
        placePlayer(*world->players[i], x, y, heading);
        world->players[i]->alive = 1;
    }
    ++world->scenes.roundCounter;
    world->rounds.emplace_back();
    reportSound(SoundKind::roundStart);
    glClearColor(world->settings.clearColorRed / 255.0f, world->settings.clearColorGreen / 255.0f,
                 world->settings.clearColorBlue / 255.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_STENCIL_TEST);
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glAlphaFunc(GL_NOTEQUAL, 0.0f);
}
