// The game scene: round flow, scoring, the arena, the score board and the banner.
#pragma once

// One frame of `frameTime` milliseconds.
void gameSceneFrame(double frameTime);

// Gives every living player a point for each player that died this frame.
void settleDeaths();

// The banner between rounds and whether the match is over, for a frame with at most one alive.
const char* bannerText(bool& exitAfterSpace);
