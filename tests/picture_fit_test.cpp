// The window the game opens on a desktop of any size, and where its picture goes in a window.
#include "core/picture_fit.h"

#include <gtest/gtest.h>

namespace {

std::string text(const PictureRect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
           "x" + std::to_string(r.height);
}

}  // namespace

TEST(PictureFit, TheWindowIsAWholeMultipleOrTheLargestThatFitsAndThePictureKeepsItsAspect) {
    const struct {
        int width, height;  // the usable desktop for windowForDesktop, the drawable for placePicture
        const char* window;
        const char* placed;
    } cases[] = {
        {1024, 768, "0,0 1024x768", "0,0 1024x768"},
        {1366, 704, "0,0 938x704", "214,0 938x704"},      // a laptop below its title bar
        {1280, 960, "0,0 1024x768", "0,0 1280x960"},
        {2560, 1376, "0,0 1024x768", "363,0 1834x1376"},  // not room for twice the picture
        {3840, 2096, "0,0 2048x1536", "523,0 2794x2096"},
        {800, 1000, "0,0 800x600", "0,200 800x600"},      // upright: black above and below
        {1, 1, "0,0 1x1", "0,0 1x0"},
        {0, 0, "0,0 1x1", "0,0 0x0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(text(windowForDesktop(1024, 768, c.width, c.height)), c.window);
        EXPECT_EQ(text(placePicture(1024, 768, c.width, c.height)), c.placed);
    }
}
