// Saving what the window shows as a PNG file.
#pragma once

// Reads the colour buffer (width x height from the bottom-left) and writes it as an RGB PNG,
// replacing any file of that name; false when the file could not be written.
bool saveScreenshot(const char* path, int width, int height);
