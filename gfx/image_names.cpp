// The one definition of each shared image name.
#include "gfx/image_names.h"

const char kFontImage[] = "system/bitmap.png";
const char kWideLogoImage[] = "system/k4logo.png";
const char kSquareLogoImage[] = "system/mwlogo.png";
const char kPickupImage[] = "system/r.png";
const char kRocketImage[] = "system/rocket.png";
const char kHoleImage[] = "system/hole.png";
