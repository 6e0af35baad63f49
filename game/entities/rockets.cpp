// Rocket flight, hit test against the stencil, hole stamping and the rocket sprite.
#include "game/entities/rockets.h"

#include "game/sound_report.h"

#include <GL/gl.h>

#include "game/arena.h"
#include "game/entities/entity_tables.h"
#include "game/world.h"
#include "gfx/sprite.h"
#include "gfx/stencil.h"

namespace {

constexpr double kRocketSpeed = 400.0;

// Clears the stencil wherever the hole image's alpha is not 0, then restores the state.
void blastHole(const Rocket& rocket) {
    glEnable(GL_STENCIL_TEST);
    bindTexture(rocket.holeTexture);
    beginStencilStamp(0);
    drawCenteredSquare(rocket.x, rocket.y, rocket.holeRadius);
    endStencilStamp();
    glDisable(GL_STENCIL_TEST);
}

void drawSprite(const Rocket& rocket) {
    bindTexture(rocket.texture);
    drawCenteredSquare(rocket.x, rocket.y, 8.0);
}

void updateRocket(Rocket& rocket, double frameTime) {
    rocket.x += rocket.dirX * frameTime / 1000.0 * kRocketSpeed;
    rocket.y += rocket.dirY * frameTime / 1000.0 * kRocketSpeed;
    if (outsideArena(rocket.x, rocket.y)) {
        rocket.dead = 1;
        return;
    }
    const float sample =
        readStencil(static_cast<int>(rocket.x + 0.5), static_cast<int>(rocket.y + 0.5));
    if (sample > 0.0f) {
        rocket.dead = 1;
        blastHole(rocket);
        reportSound(SoundKind::blast, rocket.x);
    }
    drawSprite(rocket);
}

}  // namespace

void spawnRocket(double startX, double startY, TextureId texture, TextureId holeTexture,
                 double dirX, double dirY, double holeRadius) {
    storeEntity(world->entityTables->rockets,
                Rocket{startX, startY, dirX, dirY, texture, holeTexture, holeRadius, 0});
}

void updateRockets(double frameTime) {
    auto& rockets = world->entityTables->rockets;
    for (std::uint16_t i = 0; i < rockets.size(); ++i) {
        if (rockets[i]) updateRocket(*rockets[i], frameTime);
    }
}

void removeDeadRockets() {
    auto& rockets = world->entityTables->rockets;
    for (std::uint16_t i = 0; i < rockets.size(); ++i) {
        if (rockets[i] && rockets[i]->dead != 0) removeEntity(rockets, i);
    }
}
