// The Match part of the setup window: how a match ends, the lines, pickups and the screen.
#pragma once

#include "tools/quorl_setup/setup_model.h"

void drawMatchPanel(SetupModel& model);
