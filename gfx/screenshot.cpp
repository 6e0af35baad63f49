// Colour buffer read-back into a DevIL image saved as PNG.
#include "gfx/screenshot.h"

#include <GL/gl.h>
#include <IL/il.h>

#include <vector>

bool saveScreenshot(const char* path, int width, int height) {
    std::vector<GLubyte> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    // GL rows run bottom-up, which is DevIL's lower-left origin.
    ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, 3, IL_RGB,
               IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    const bool saved = ilSave(IL_PNG, path) != IL_FALSE;
    ilDeleteImages(1, &image);
    return saved;
}
