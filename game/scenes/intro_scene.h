// The intro: two logos sliding on an eight-second cycle and the SPACE prompt.
#pragma once

// Advances the timeline by `frameTime` milliseconds.
void advanceIntroTimeline(double frameTime);

void introSceneFrame(double frameTime);
