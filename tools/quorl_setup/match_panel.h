// The match settings of the setup window: how long a match lasts, pickups and sound; and, apart,
// the technical settings under Advanced.
#pragma once

#include "tools/quorl_setup/setup_model.h"

void drawMatchPanel(SetupModel& model);

// Speed, sizes, gaps, the background colour, full screen, the swap interval and where the
// settings are kept.
void drawAdvancedPanel(SetupModel& model);
