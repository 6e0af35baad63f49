// One reset of everything the program keeps process-wide.
#include "app/process_state.h"

#include "app/app.h"
#include "app/frame_timer.h"
#include "app/init_game.h"
#include "app/random.h"
#include "app/settings.h"
#include "app/window.h"
#include "game/entities/entity_tables.h"
#include "game/players/controls.h"
#include "game/players/key_input.h"
#include "game/players/player.h"
#include "game/scenes/intro_scene.h"
#include "game/scenes/scene_state.h"
#include "gfx/camera.h"
#include "gfx/texture_manager.h"
#include "platform/platform.h"

void resetProcessState() {
    destroyEntityTables();
    if (app != nullptr) {
        delete app->timer;
        delete app;
        app = nullptr;
    }
    delete camera;
    camera = nullptr;
    destroyPlayers();
    releaseTextures();
    resetStartUpState();
    settings = Settings{};
    keyBindings = kDefaultBindings;
    resetWindowState();
    resetKeyInput();
    resetSceneState();
    resetIntroScene();
    seedRandom(1);  // the state a new process starts with
    resetCounters();
    platform::discardMessages();
}
