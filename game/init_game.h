// The last step of start-up: render state, images and one player per enabled slot.
#pragma once

void initGame();

// Creates the players of the enabled slots with their own pattern textures and names.
void createPlayers();
