// The names of the images the game reads from its system/ folder, each written once here.
#pragma once

inline constexpr char kFontImage[] = "system/bitmap.png";
inline constexpr char kWideLogoImage[] = "system/k4logo.png";
inline constexpr char kSquareLogoImage[] = "system/mwlogo.png";
inline constexpr char kPickupImage[] = "system/r.png";
inline constexpr char kRocketImage[] = "system/rocket.png";
inline constexpr char kHoleImage[] = "system/hole.png";
