// The test program's entry: a clean working folder with the game's images, and one offscreen
// GL context for every test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/context.h"
#include "tests/support.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // No window system is needed: the context is made offscreen.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    unsetenv("DISPLAY");
    const std::filesystem::path work = makeScratchFolder("quorl-tests");
    linkImages(work);
    std::filesystem::current_path(work);
    ::testing::AddGlobalTestEnvironment(new GlEnvironment);
    // Tests without the GL fixture run in a context of their own as well.
    createContext();
    int result = RUN_ALL_TESTS();
    // A failed context makes every test skip; that is a failure, not a pass.
    if (::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed()) result = 1;
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(work);
    return result;
}
