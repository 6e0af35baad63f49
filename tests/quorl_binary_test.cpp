// The real `quorl` program run as a user would, in a scratch folder, without a display.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/quit_run.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

class QuorlBinary : public ::testing::Test {
protected:
    void SetUp() override { folder = makeScratchFolder("quorl-binary"); }
    void TearDown() override { fs::remove_all(folder); }

    // Runs the game with SDL's given video driver; once it has run a frame, SIGTERM asks it to
    // quit as closing its window would.
    Outcome run(const char* videoDriver) {
        QuitRequest request;
        request.frame = 1;
        return runUntilQuit(folder, std::string("SDL_VIDEODRIVER=") + videoDriver,
                            std::string("'") + QUORL_BINARY + "'", request);
    }

    fs::path folder;
};

}  // namespace

TEST_F(QuorlBinary, WithoutConfigItReportsTheConfigErrorAndLogsIt) {
    const Outcome outcome = run("offscreen");
    EXPECT_EQ(outcome.exitCode, 254);
    EXPECT_NE(outcome.errors.find("An exception occured:\nCouldn't open config-file! :("),
              std::string::npos)
        << outcome.errors;
    EXPECT_EQ(readText(folder / "errorlog.txt"), "ErrorLog:\n\nCouldn't open config-file! :(\n\n");
}

TEST_F(QuorlBinary, WithoutOpenGlItReportsTheWindowErrorAndLogsIt) {
    writeConfig(matchSettings(), folder);
    const Outcome outcome = run("dummy");
    EXPECT_EQ(outcome.exitCode, 254);
    EXPECT_NE(outcome.errors.find("Can't create an OpenGL Device Context."), std::string::npos)
        << outcome.errors;
    EXPECT_EQ(readText(folder / "errorlog.txt"),
              "ErrorLog:\n\nCan't create an OpenGL Device Context.\n\n");
}

TEST_F(QuorlBinary, MissingPatternEndsStartUpWithTheTextureError) {
    linkImages(folder);
    Settings s = matchSettings();
    std::strcpy(s.patternFile[5], "nowhere.png");
    writeConfig(s, folder);
    const Outcome outcome = run("offscreen");
    EXPECT_EQ(outcome.exitCode, 254);
    EXPECT_EQ(readText(folder / "errorlog.txt"),
              "ErrorLog:\n\nTexture not found:\npatterns/nowhere.png\n\n");
}

// Full screen covers the display as it is; a driver without framebuffer objects (Mesa told to
// hide them) keeps the fixed window, asks about the mode the offscreen display lacks, and says
// once why the window keeps its size.
TEST_F(QuorlBinary, FullScreenRunsAndEndsCleanlyWithOrWithoutFramebufferObjects) {
    linkImages(folder);
    Settings s = matchSettings();
    s.fullscreen = 1;
    writeConfig(s, folder);
    const struct {
        const char* environment;
        bool asked;
        const char* log;  // errorlog.txt, or null when there is none
    } runs[] = {
        {"SDL_VIDEODRIVER=offscreen", false, nullptr},
        {"SDL_VIDEODRIVER=offscreen MESA_EXTENSION_OVERRIDE=-GL_EXT_framebuffer_object", true,
         "Window: the graphics driver draws only into the window; the window keeps its size of "
         "1024 x 768.\n"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.environment);
        fs::remove(folder / "errorlog.txt");
        QuitRequest request;
        request.frame = 1;
        const Outcome outcome = runUntilQuit(folder, run.environment,
                                             std::string("'") + QUORL_BINARY + "'", request);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
        EXPECT_EQ(outcome.errors.find("Use windowes mode?\nThe requested fullscreen mode is not "
                                      "supported by\nyour video card. Use windowed mode instead?") !=
                      std::string::npos,
                  run.asked)
            << outcome.errors;
        if (run.log == nullptr) {
            EXPECT_FALSE(fs::exists(folder / "errorlog.txt"));
        } else {
            EXPECT_EQ(readText(folder / "errorlog.txt"), run.log);
        }
    }
}

// Started by hand: with no display at all it says so and ends, rather than running unseen; it
// tells how to use it, and refuses what it does not take.
TEST_F(QuorlBinary, WithoutADisplayOrWithArgumentsItSaysWhatItDoes) {
    linkImages(folder);
    writeConfig(matchSettings(), folder);
    const std::string quorl =
        "env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY '" + std::string(QUORL_BINARY) + "'";
    const struct {
        const char* arguments;
        int exitCode;
        const char* said;  // on standard error, or standard output for --help
    } runs[] = {
        {"", 254, "No display to show the game on"},
        {" --help > out.txt", 0, "Usage: quorl [--help]"},
        {" --fullscreen", 2, "quorl: unknown argument '--fullscreen'"},
    };
    for (const auto& run : runs) {
        fs::remove(folder / "errorlog.txt");
        const Outcome outcome = runInFolder(folder, quorl + run.arguments);
        SCOPED_TRACE(run.arguments);
        EXPECT_EQ(outcome.exitCode, run.exitCode) << outcome.errors;
        const std::string said =
            run.exitCode == 0 ? readText(folder / "out.txt") : outcome.errors;
        EXPECT_NE(said.find(run.said), std::string::npos) << said;
        EXPECT_EQ(fs::exists(folder / "errorlog.txt"), run.exitCode == 254);
    }
}
