// Beginning a round: every player placed anew and revived, the stencil cleared.
#pragma once

void startRound();
