// Creating a run's context and releasing it in shutdown order.
#include "app/context.h"

#include "platform/platform.h"

Context* context = nullptr;

void createContext() {
    destroyContext();
    context = new Context;
    world = &context->world;
    gfx = &context->gfx;
}

void destroyContext() {
    if (context == nullptr) return;
    delete context;
    context = nullptr;
    world = nullptr;
    gfx = nullptr;
    platform::discardMessages();
}
