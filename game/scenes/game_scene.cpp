// One frame of the game scene, in the order the round needs it.
#include "game/scenes/game_scene.h"

#include <GL/gl.h>

#include <cstdio>

#include "core/settings.h"
#include "game/arena.h"
#include "game/computer/computer_players.h"
#include "game/entities/pickups.h"
#include "game/entities/rockets.h"
#include "game/players/controls.h"
#include "game/players/movement.h"
#include "game/players/trail_drawing.h"
#include "game/scenes/round_start.h"
#include "game/scenes/scene_state.h"
#include "game/scenes/show_frame.h"
#include "game/sound_report.h"
#include "game/world.h"
#include "gfx/camera.h"
#include "gfx/gfx.h"
#include "gfx/image_names.h"
#include "gfx/text.h"

namespace {

constexpr char kNextRoundText[] = "Press <SPACE> to start the new round";
constexpr char kExitText[] = "Press <SPACE> to exit";

// The number players and the results know a player by: its slot's number plus one.
int playerNumber(int index) {
    return enabledSlots(world->settings)[static_cast<std::size_t>(index)] + 1;
}

// The first frame of a round that is over names its survivor, if any, for the results; true in
// that frame.
bool noteSurvivor() {
    if (world->rounds.empty() || world->rounds.back().survivor) return false;
    int survivor = 0;
    for (int i = 0; i < activePlayerCount(); ++i) {
        if (world->players[i]->alive != 0) survivor = playerNumber(i);
    }
    world->rounds.back().survivor = survivor;
    return true;
}

std::uint16_t countAlive() {
    std::uint16_t alive = 0;
    for (int i = 0; i < activePlayerCount(); ++i) {
        if (world->players[i]->alive != 0) ++alive;
    }
    return alive;
}

void advanceRound(double frameTime) {
    thinkComputers(frameTime);
    readControls();
    for (int i = 0; i < activePlayerCount(); ++i) {
        updatePlayer(*world->players[i], world->settings.gapInterval, world->settings.holeRadius,
                     world->settings.gapLength, frameTime);
    }
    if (world->settings.pickupsEnabled != 0) runPickupStep();
}

void drawArena(double frameTime) {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    applyCamera();
    for (int i = 0; i < activePlayerCount(); ++i) drawTrail(*world->players[i]);
    glDisable(GL_STENCIL_TEST);
    drawPickups();
    updateRockets(frameTime);
    removeDeadRockets();
}

void drawGreyShapes(bool roundOver) {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.3f, 0.3f, 0.3f);
    glBegin(GL_QUADS);
    glVertex2d(kArenaSize, 0);
    glVertex2d(kScreenWidth, 0);
    glVertex2d(kScreenWidth, kArenaSize);
    glVertex2d(kArenaSize, kArenaSize);
    if (roundOver) {
        glVertex2d(0, 296);
        glVertex2d(kArenaSize, 296);
        glVertex2d(kArenaSize, 472);
        glVertex2d(0, 472);
    }
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

void drawScoreBoard() {
    char textBuffer[100];
    for (int i = 0; i < activePlayerCount(); ++i) {
        const Player& player = *world->players[i];
        std::snprintf(textBuffer, sizeof textBuffer, "%s has", player.name);
        drawText(800, 130 * i + 70, 0.5, textBuffer, loadTexture(kFontImage));
        std::snprintf(textBuffer, sizeof textBuffer, player.score > 1 ? "%u scores." : "%u score.",
                      static_cast<unsigned>(player.score));
        drawText(800, 130 * i + 40, 0.5, textBuffer, loadTexture(kFontImage));
    }
}

}  // namespace

void settleDeaths() {
    const int count = activePlayerCount();
    for (int i = 0; i < count; ++i) {
        if (world->players[i]->died == 0) continue;
        for (int j = 0; j < count; ++j) {
            if (j != i && world->players[j]->alive != 0) ++world->players[j]->score;
        }
        world->players[i]->died = 0;
        if (!world->rounds.empty()) world->rounds.back().deaths.push_back(playerNumber(i));
    }
}

const char* bannerText(bool& exitAfterSpace) {
    if (world->settings.fixedRounds != 0) {
        exitAfterSpace = world->scenes.roundCounter >= world->settings.matchLimit;
    } else {
        exitAfterSpace = false;
        for (int i = 0; i < activePlayerCount(); ++i) {
            if (world->players[i]->score >= world->settings.matchLimit) exitAfterSpace = true;
        }
    }
    return exitAfterSpace ? kExitText : kNextRoundText;
}

void gameSceneFrame(double frameTime) {
    const std::uint16_t alive = countAlive();
    const bool roundOver = alive <= 1;
    if (roundOver && noteSurvivor()) {
        bool matchOver = false;
        bannerText(matchOver);
        reportSound(matchOver ? SoundKind::matchOver : SoundKind::roundOver);
    }
    if (!roundOver) advanceRound(frameTime);
    settleDeaths();
    drawArena(frameTime);
    drawGreyShapes(roundOver);
    drawScoreBoard();
    bool exitAfterSpace = false;
    if (roundOver) drawText(0, 374, 0.65, bannerText(exitAfterSpace), loadTexture(kFontImage));
    glEnable(GL_STENCIL_TEST);
    showFrame();
    if (freshSpacePress()) {
        if (exitAfterSpace)
            platform::postQuit();
        else if (roundOver)
            startRound();
    }
}
