// The intro: two logos sliding on an eight-second cycle and the SPACE prompt.
#pragma once

struct App;

// Milliseconds into the current cycle and the vertical offset of the logo picture.
extern double introClock;
extern double introScroll;

// The intro's clock and scroll back at their start.
void resetIntroScene();

// Advances the timeline by `frameTime` milliseconds.
void advanceIntroTimeline(double frameTime);

void introSceneFrame(App& app);
