// The setup window on SDL2 with Dear ImGui's SDL2 and OpenGL2 back ends. quorl-setup is a
// program of its own beside the game, so it opens its window here rather than through the
// game's platform layer, which is made for the game's one window and its messages.
#include "tools/quorl_setup/setup_window.h"

#include <GL/gl.h>
#include <SDL.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "core/glyph_map.h"
#include "core/picture_fit.h"
#include "core/keys.h"
#include "platform/platform.h"
#include "tools/quorl_setup/setup_screen.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float kFontSize = 15.0f;
// Play and the match's winner.
constexpr float kLargeFontSize = 24.0f;
// Frames come with events; without any, a few a second keep the game's end and controllers seen.
constexpr int kIdleWaitMs = 100;

// DejaVu Sans with every character the game's font draws, so names show as the game shows them,
// and a larger one after it; ImGui's own font, which lacks some of them, when it is not
// installed.
void loadFont(ImGuiIO& io) {
    static ImVector<ImWchar> ranges;
    ImFontGlyphRangesBuilder builder;
    builder.AddRanges(io.Fonts->GetGlyphRangesDefault());
    for (const Glyph& glyph : fontGlyphs()) builder.AddChar(static_cast<ImWchar>(glyph.codePoint));
    builder.BuildRanges(&ranges);
    if (std::FILE* file = std::fopen(kFontFile, "rb")) {
        std::fclose(file);
        io.Fonts->AddFontFromFileTTF(kFontFile, kFontSize, nullptr, ranges.Data);
        io.Fonts->AddFontFromFileTTF(kFontFile, kLargeFontSize, nullptr, ranges.Data);
    }
}

std::vector<std::string> controllerNames() {
    std::vector<std::string> names;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i)) continue;
        const char* name = SDL_GameControllerNameForIndex(i);
        names.push_back(name != nullptr ? name : "a controller");
    }
    return names;
}

// Handles what the screen takes itself; false for events left to ImGui.
bool screenEvent(SetupScreen& screen, const SDL_Event& event) {
    // With SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE off, SDL_QUIT comes from the desktop's session
    // ending: the setup ends at once, as for a quit signal. Closing the window asks first.
    if (event.type == SDL_QUIT) {
        screen.quitNow(SIGTERM);
        return true;
    }
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
        screen.requestQuit();
        return true;
    }
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED &&
        !screen.gameRunning()) {
        screen.refresh();
        return false;
    }
    if (event.type != SDL_KEYDOWN || event.key.repeat != 0) return false;
    if (screen.capturingKey()) {
        screen.takeKey(keyAtUsage(event.key.keysym.scancode));
        return true;
    }
    if (event.key.keysym.scancode == SDL_SCANCODE_S && (event.key.keysym.mod & KMOD_CTRL) != 0) {
        screen.save();
        return true;
    }
    return false;
}

// ImGui's back end takes Ctrl, Shift and Alt as they are when the event is handled; a key
// pressed with Ctrl and let go at once has them as they were when it was pressed.
void passToImGui(const SDL_Event& event) {
    ImGui_ImplSDL2_ProcessEvent(&event);
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return;
    ImGuiIO& io = ImGui::GetIO();
    const Uint16 mod = event.key.keysym.mod;
    io.KeyShift = (mod & KMOD_SHIFT) != 0;
    io.KeyCtrl = (mod & KMOD_CTRL) != 0;
    io.KeyAlt = (mod & KMOD_ALT) != 0;
    io.KeySuper = (mod & KMOD_GUI) != 0;
}

void runFrames(SDL_Window* window, SetupScreen& screen) {
    ImGuiIO& io = ImGui::GetIO();
    std::string title = SDL_GetWindowTitle(window);
    while (!screen.finished()) {
        // Quit signals wait, blocked, for the loop: it comes round at least every kIdleWaitMs.
        if (const int signal = platform::takePendingQuitSignal()) {
            screen.quitNow(signal);
            break;
        }
        SDL_Event event;
        for (bool got = SDL_WaitEventTimeout(&event, kIdleWaitMs) != 0; got;
             got = SDL_PollEvent(&event) != 0) {
            if (!screenEvent(screen, event)) passToImGui(event);
            // A click or key takes effect in the frame that sees it, before what comes after
            // it: a key button's click starts waiting for the key that follows however fast,
            // and ImGui sees a key down that goes up again in the same moment.
            if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP ||
                event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
                break;
            }
        }
        ImGui_ImplOpenGL2_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        // Enter presses a button too, as Space does, unless it ends the typing in a field.
        if (!io.WantTextInput && io.KeysDown[SDL_SCANCODE_RETURN]) {
            io.NavInputs[ImGuiNavInput_Activate] = 1.0f;
        }
        ImGui::NewFrame();
        screen.draw(controllerNames());
        if (screen.title() != title) {
            title = screen.title();
            SDL_SetWindowTitle(window, title.c_str());
        }
        ImGui::Render();
        glViewport(0, 0, static_cast<int>(io.DisplaySize.x * io.DisplayFramebufferScale.x),
                   static_cast<int>(io.DisplaySize.y * io.DisplayFramebufferScale.y));
        glClearColor(0.1f, 0.1f, 0.12f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
        SDL_GL_SwapWindow(window);
    }
}

}  // namespace

int runSetupWindow(const std::string& configPath, bool playAtOnce) {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Quit signals are the loop's own (platform::takeQuitSignals); SDL keeps its hands off them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "quorl-setup: cannot open a window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // As large as the design where the desktop has room, smaller on a small screen (its
    // settings then scroll), and resizable.
    int width = kWidth, height = kHeight;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        width = std::clamp(usable.w, kWidth / 2, kWidth);
        height = std::clamp(usable.h - kWindowFrameAllowance, kHeight / 2, kHeight);
    }
    SDL_Window* window =
        SDL_CreateWindow("Quorl Setup", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                         height, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        std::fprintf(stderr, "quorl-setup: cannot open a window: %s\n", SDL_GetError());
        if (window != nullptr) SDL_DestroyWindow(window);
        SDL_Quit();
        return 1;
    }
    SDL_GL_SetSwapInterval(1);
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // nothing of the window's own is written into the run folder
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard | ImGuiConfigFlags_NavEnableGamepad;
    loadFont(io);
    // Drop-down lists hide the rows below them whole.
    ImGui::GetStyle().Colors[ImGuiCol_PopupBg].w = 1.0f;
    ImGui_ImplSDL2_InitForOpenGL(window, context);
    ImGui_ImplOpenGL2_Init();
    {
        // Its pattern textures go before the context.
        SetupScreen screen(configPath);
        if (playAtOnce) screen.play();
        runFrames(window, screen);
    }
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
