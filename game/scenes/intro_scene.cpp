// The intro scene's timeline, drawing and the SPACE press that starts the match.
#include "game/scenes/intro_scene.h"

#include <GL/gl.h>

#include "game/scenes/round_start.h"
#include "game/scenes/scene_state.h"
#include "game/scenes/show_frame.h"
#include "game/world.h"
#include "gfx/camera.h"
#include "gfx/image_names.h"
#include "gfx/text.h"

namespace {

void texturedQuad(double left, double bottom, double right, double top) {
    glBegin(GL_QUADS);
    glTexCoord2i(0, 0);
    glVertex2d(left, bottom);
    glTexCoord2i(1, 0);
    glVertex2d(right, bottom);
    glTexCoord2i(1, 1);
    glVertex2d(right, top);
    glTexCoord2i(0, 1);
    glVertex2d(left, top);
    glEnd();
}

void drawLogoPicture() {
    glDisable(GL_TEXTURE_2D);
    texturedQuad(0, 0, 1024, 256);  // the white band
    glEnable(GL_TEXTURE_2D);
    bindTexture(world->scenes.wideLogoTexture);
    texturedQuad(0, 256, 1024, 768);
    bindTexture(world->scenes.squareLogoTexture);
    texturedQuad(256, 918, 768, 1430);
}

}  // namespace

void advanceIntroTimeline(double frameTime) {
    world->scenes.introClock += frameTime;
    const double t = world->scenes.introClock;
    if (t <= 2000.0)
        world->scenes.introScroll = t / 2000.0 * -768.0;
    else if (t <= 4000.0)
        world->scenes.introScroll = -768.0;
    else if (t <= 6000.0)
        world->scenes.introScroll = (t - 4000.0) / 2000.0 * 768.0 - 768.0;
    else if (t <= 8000.0)
        world->scenes.introScroll = 0.0;
    else
        world->scenes.introClock = 0.0;
}

void introSceneFrame(double frameTime) {
    advanceIntroTimeline(frameTime);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    applyCamera();
    glPushMatrix();
    glTranslated(0.0, world->scenes.introScroll, 0.0);
    drawLogoPicture();
    glPopMatrix();
    drawText(10, 730, 0.5, "Press <SPACE>", loadTexture(kFontImage));
    showFrame();
    if (freshSpacePress()) {
        startRound();
        world->scenes.scene = kGameScene;
    }
}
