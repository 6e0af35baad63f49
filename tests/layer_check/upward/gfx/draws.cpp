// A graphics file that reaches up into the game: the layer check must refuse it.
#include "game/world.h"
