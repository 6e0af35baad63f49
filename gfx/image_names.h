// The names of the images the game reads. The texture manager finds a loaded texture by the
// identity of its name's text, so every caller passes these very objects.
#pragma once

extern const char kFontImage[];
extern const char kWideLogoImage[];
extern const char kSquareLogoImage[];
extern const char kPickupImage[];
extern const char kRocketImage[];
extern const char kHoleImage[];
