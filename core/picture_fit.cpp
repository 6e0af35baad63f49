// Scaling the picture to the desktop and the window.
#include "core/picture_fit.h"

#include <algorithm>

PictureRect windowForDesktop(int pictureWidth, int pictureHeight, int usableWidth,
                             int usableHeight) {
    const int whole = std::min(usableWidth / pictureWidth, usableHeight / pictureHeight);
    if (whole >= 1) return {0, 0, pictureWidth * whole, pictureHeight * whole};
    const PictureRect shrunk = placePicture(pictureWidth, pictureHeight, usableWidth, usableHeight);
    return {0, 0, std::max(shrunk.width, 1), std::max(shrunk.height, 1)};
}

PictureRect placePicture(int pictureWidth, int pictureHeight, int drawableWidth,
                         int drawableHeight) {
    // Full width when the drawable is relatively taller than the picture, else full height;
    // in 64-bit integers, so that the sizes are exact and any drawable size is safe.
    const long long wide = static_cast<long long>(drawableWidth) * pictureHeight;
    const long long tall = static_cast<long long>(drawableHeight) * pictureWidth;
    PictureRect rect;
    if (wide <= tall) {
        rect.width = drawableWidth;
        rect.height = static_cast<int>(wide / pictureWidth);
    } else {
        rect.height = drawableHeight;
        rect.width = static_cast<int>(tall / pictureHeight);
    }
    rect.x = (drawableWidth - rect.width) / 2;
    rect.y = (drawableHeight - rect.height) / 2;
    return rect;
}
