// The last step of start-up: render state, images and one player per enabled slot.
#pragma once

#include "gfx/texture_manager.h"

// The two intro logos, loaded once at start-up.
extern TextureId wideLogoTexture;
extern TextureId squareLogoTexture;

void initGame();

// Forgets the logos' ids and the slots' pattern paths, as before the first start-up.
void resetStartUpState();

// Creates the players of the enabled slots with their own pattern textures and names.
void createPlayers();
