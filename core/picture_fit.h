// Where the game's fixed-size picture goes on a screen of any size: the window it opens with,
// and the place of the picture in a window of any size.
#pragma once

// Room kept on the usable desktop for the title bar and frame a window manager adds around a
// window, which are not known before the window is shown.
constexpr int kWindowFrameAllowance = 64;

struct PictureRect {
    int x = 0, y = 0;  // from the drawable's bottom-left corner
    int width = 0, height = 0;
};

// The window for a picture of `pictureWidth` x `pictureHeight` on a usable desktop area of
// `usableWidth` x `usableHeight`: the largest whole multiple of the picture that fits, for
// sharp pixels; on a desktop smaller than the picture, the picture shrunk to fit, its aspect
// kept (at least one pixel each way).
PictureRect windowForDesktop(int pictureWidth, int pictureHeight, int usableWidth,
                             int usableHeight);

// The picture scaled to fit a drawable of `drawableWidth` x `drawableHeight` with its aspect
// kept, centred; the rest of the drawable is the black border.
PictureRect placePicture(int pictureWidth, int pictureHeight, int drawableWidth,
                         int drawableHeight);
