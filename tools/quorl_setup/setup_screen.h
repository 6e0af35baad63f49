// The content of the setup window: Play and the other buttons, the last match's result, the
// players, match and advanced panels, the questions and messages, and the game while it runs. The window code feeds it events and draws it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/bindings.h"
#include "tools/quorl_setup/game_process.h"
#include "tools/quorl_setup/match_result.h"
#include "tools/quorl_setup/pattern_files.h"
#include "tools/quorl_setup/pattern_preview.h"
#include "tools/quorl_setup/setup_model.h"

class SetupScreen {
public:
    explicit SetupScreen(const std::string& configPath);

    // One frame of the window's content; `controllers` are the connected controllers' names in
    // the order they were connected.
    void draw(const std::vector<std::string>& controllers);

    // Quit and the window's close button: asks first when there are unsaved changes.
    void requestQuit();

    // A quit signal: ends without asking, after passing it on to the game while one runs.
    void quitNow(int signal);

    // Play, and --play: saves and starts the game.
    void play();

    // Save, and Ctrl+S.
    void save();

    // Files may have changed while the window was away: list and check the patterns again.
    void refresh();

    // True while a key's button waits for the key that it binds.
    bool capturingKey() const { return capture_.has_value(); }

    // The key pressed while capturing, as a virtual-key code (0 for one the game does not
    // read); Escape gives up.
    void takeKey(std::uint8_t key);

    bool gameRunning() const { return game_.running(); }

    // The window's title, which tells of unsaved changes.
    std::string title() const;
    bool finished() const { return finished_; }

private:
    void drawLoadError();
    void drawButtons();
    void drawResult();
    void drawQuitQuestion();
    void drawDefaultsQuestion();
    void drawGameRunning();
    void drawGameEnded();
    void pollGame();
    void setStatus(const std::string& text, bool problem);

    SetupModel model_;
    PatternPreviews previews_;
    PatternFiles patterns_;
    GameProcess game_;
    std::optional<KeyHolder> capture_;
    std::string status_;
    bool statusProblem_ = false;
    std::string popupToOpen_;
    // The results file's time before the game started, and the result it wrote since.
    std::optional<std::filesystem::file_time_type> resultsBefore_;
    std::optional<MatchResult> result_;
    int exitCode_ = 0;
    std::string errorLog_;
    bool finished_ = false;
};
