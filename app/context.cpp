// Creating a run's context and releasing it in shutdown order.
#include "app/context.h"

#include "platform/platform.h"

Context* context = nullptr;

void createContext() {
    destroyContext();
    context = new Context;
}

void destroyContext() {
    if (context == nullptr) return;
    App* app = context->app;
    destroyEntityTables();
    if (app != nullptr) {
        delete app->timer;
        app->timer = nullptr;
    }
    delete context->camera;
    context->camera = nullptr;
    destroyPlayers();
    releaseTextures();
    if (app != nullptr && app->windowOpen) destroyWindow(*app);
    delete app;
    delete context;
    context = nullptr;
    platform::discardMessages();
}
