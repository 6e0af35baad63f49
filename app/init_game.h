// The last step of start-up: render state, images and one player per enabled slot.
#pragma once

#include "gfx/texture_manager.h"

// The two intro logos, loaded once at start-up.
extern TextureId wideLogoTexture;
extern TextureId squareLogoTexture;

void initGame();

// Creates the players of the enabled slots with their own pattern textures and names.
void createPlayers();
