// The setup window's layout and its flow: editing, saving, playing and quitting.
#include "tools/quorl_setup/setup_screen.h"

#include <imgui.h>

#include <iostream>

#include "core/keys.h"
#include "core/places.h"
#include "tools/quorl_setup/field_widgets.h"
#include "tools/quorl_setup/match_panel.h"
#include "tools/quorl_setup/players_panel.h"

namespace {

constexpr const char* kQuitQuestion = "Unsaved changes";
constexpr const char* kDefaultsQuestion = "Back to the defaults?";
constexpr const char* kGameRunning = "The game is running";
constexpr const char* kGameEnded = "The game ended";
constexpr ImU32 kResultColour = IM_COL32(255, 210, 90, 255);
constexpr ImU32 kPlayColour = IM_COL32(40, 130, 60, 255);
constexpr float kPlayWidth = 110.0f;
constexpr float kSaveWidth = 60.0f;

void heading(const char* text) {
    ImGui::Spacing();
    ImGui::TextUnformatted(text);
    ImGui::Separator();
}

}  // namespace

SetupScreen::SetupScreen(const std::string& configPath) : model_(configPath) {
    refresh();
}

void SetupScreen::refresh() {
    patterns_ = listPatternFiles(patternFolders(model_.configPath()));
    previews_.forget();
    model_.recheck();
}

void SetupScreen::setStatus(const std::string& text, bool problem) {
    status_ = text;
    statusProblem_ = problem;
    // Also for whoever started the setup from a terminal.
    if (problem) std::cerr << "quorl-setup: " << text << "\n";
}

void SetupScreen::draw(const std::vector<std::string>& controllers) {
    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    ImGui::SetNextWindowPos(viewport->Pos);
    ImGui::SetNextWindowSize(viewport->Size);
    constexpr ImGuiWindowFlags kFlags =
        ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings;
    if (game_.running()) pollGame();
    ImGui::Begin("Quorl Setup", nullptr, kFlags);
    const float footer = ImGui::GetFrameHeightWithSpacing() * 2;
    // Flattened, so that the arrows move between its fields and the buttons below alike.
    ImGui::BeginChild("settings", ImVec2(0, -footer), false, ImGuiWindowFlags_NavFlattened);
    drawHeader();
    drawResult();
    heading("Match");
    drawMatchPanel(model_);
    heading("Players");
    PlayersView players{model_, previews_, patterns_, controllers, capture_};
    drawPlayersPanel(players);
    ImGui::EndChild();
    drawButtons();
    if (!popupToOpen_.empty()) {
        ImGui::OpenPopup(popupToOpen_.c_str());
        popupToOpen_.clear();
    }
    drawQuitQuestion();
    drawDefaultsQuestion();
    drawGameRunning();
    drawGameEnded();
    ImGui::End();
}

void SetupScreen::drawHeader() {
    ImGui::TextWrapped("Settings in %s", model_.configPath().c_str());
    if (!model_.fileNote().empty()) ImGui::TextWrapped("Note: %s", model_.fileNote().c_str());
    if (model_.loadError().empty()) return;
    messageText("Cannot read the settings: " + model_.loadError(), true);
    if (ImGui::Button("Start from the defaults (Save replaces what could not be read)")) {
        model_.replaceUnreadableFiles();
    }
}

// The last match: its winner, the standings with each player's line, and the rounds played.
void SetupScreen::drawResult() {
    if (!result_) return;
    heading("Last match");
    ImGui::PushStyleColor(ImGuiCol_Text, kResultColour);
    ImGui::TextUnformatted(resultHeadline(*result_).c_str());
    ImGui::PopStyleColor();
    const std::vector<std::filesystem::path> folders = patternFolders(model_.configPath());
    if (ImGui::BeginTable("standings", 4, ImGuiTableFlags_SizingFixedFit)) {
        // Fixed widths: the table is right from its first frame, which may be the only one
        // drawn before the window waits for events.
        for (const float width : {24.0f, 170.0f, 240.0f, 80.0f})
            ImGui::TableSetupColumn(nullptr, ImGuiTableColumnFlags_WidthFixed, width);
        int place = 0;
        for (const MatchResults::Player& player : standings(*result_)) {
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::Text("%d.", ++place);
            ImGui::TableNextColumn();
            previews_.draw(player.pattern, folders, model_.settings());
            ImGui::TableNextColumn();
            ImGui::Text("%s%s", player.name.c_str(),
                        player.computer == ComputerLevel::none
                            ? ""
                            : (std::string(" (computer, ") + computerLevelName(player.computer) +
                               ")").c_str());
            ImGui::TableNextColumn();
            ImGui::Text(player.score == 1 ? "%u point" : "%u points", player.score);
        }
        ImGui::EndTable();
    }
    ImGui::TextDisabled("%s", roundsPlayed(*result_).c_str());
}

void SetupScreen::drawButtons() {
    ImGui::Separator();
    // Play comes first and stands out; after a match it plays the same again.
    ImGui::PushStyleColor(ImGuiCol_Button, kPlayColour);
    const bool pressed = ImGui::Button(result_ ? "Play again" : "Play", ImVec2(kPlayWidth, 0));
    ImGui::PopStyleColor();
    if (pressed) play();
    ImGui::SameLine();
    // Marked while there is something to save; as wide either way, so the buttons stay put.
    if (ImGui::Button(model_.dirty() ? "Save *###save" : "Save###save", ImVec2(kSaveWidth, 0)))
        save();
    ImGui::SameLine();
    if (ImGui::Button("Defaults")) popupToOpen_ = kDefaultsQuestion;
    ImGui::SameLine();
    if (ImGui::Button("Quit")) requestQuit();
    ImGui::SameLine();
    if (statusProblem_) {
        messageText(status_, true);
    } else {
        ImGui::TextUnformatted(status_.c_str());
    }
}

void SetupScreen::save() {
    const std::string error = model_.save();
    if (error.empty()) {
        setStatus("Saved in " + model_.folder(), false);
    } else {
        setStatus(error, true);
    }
}

void SetupScreen::play() {
    const std::string refusal = playRefusal(enabledSlotCount(model_.settings()));
    if (!refusal.empty()) {
        setStatus(refusal, true);
        return;
    }
    save();
    if (statusProblem_) return;
    const std::string error = game_.start(gameProgram(model_.folder()), model_.folder());
    if (!error.empty()) {
        setStatus(error, true);
        return;
    }
    popupToOpen_ = kGameRunning;
}

void SetupScreen::quitNow(int signal) {
    if (const std::optional<int> code = game_.stop(signal)) {
        std::cerr << "quorl-setup: the game ended with exit code " << *code << "\n";
    }
    finished_ = true;
}

void SetupScreen::requestQuit() {
    if (game_.running()) return;
    if (model_.dirty()) {
        popupToOpen_ = kQuitQuestion;
    } else {
        finished_ = true;
    }
}

void SetupScreen::takeKey(std::uint8_t key) {
    const KeyHolder holder = *capture_;
    capture_.reset();
    if (key != vk::kEscape) model_.setKey(holder.slot, holder.role, key);
}

void SetupScreen::drawDefaultsQuestion() {
    if (!ImGui::BeginPopupModal(kDefaultsQuestion, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return;
    ImGui::TextUnformatted("Every name, key and match setting goes back to the defaults:");
    ImGui::TextUnformatted("a match of two players on the arrows and on Q, W, E.");
    if (ImGui::Button("Back to the defaults")) {
        model_.restoreDefaults();
        setStatus("Default settings and keys: Save keeps them", false);
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel") || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)))
        ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}

void SetupScreen::drawQuitQuestion() {
    if (!ImGui::BeginPopupModal(kQuitQuestion, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
        return;
    }
    ImGui::TextUnformatted("The settings have changes that are not saved.");
    if (ImGui::Button("Save and quit")) {
        save();
        finished_ = !statusProblem_;
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Quit without saving")) finished_ = true;
    ImGui::SameLine();
    if (ImGui::Button("Cancel") || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape))) {
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

void SetupScreen::pollGame() {
    const std::optional<int> code = game_.poll();
    if (!code) return;
    refresh();
    result_ = readMatchResult(model_.folder(), game_.startedAt());
    if (*code == 0) {
        std::cerr << "quorl-setup: the game ended with exit code 0\n";
        setStatus("The game ended with exit code 0", false);
        return;
    }
    exitCode_ = *code;
    errorLog_ = errorLogSince(model_.folder(), game_.startedAt());
    setStatus("The game ended with exit code " + std::to_string(*code), true);
    popupToOpen_ = kGameEnded;
}

void SetupScreen::drawGameRunning() {
    if (!ImGui::BeginPopupModal(kGameRunning, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
        return;
    }
    ImGui::Text("The game plays in %s.", model_.folder().c_str());
    ImGui::TextUnformatted("This window comes back when it ends.");
    if (!game_.running()) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}

void SetupScreen::drawGameEnded() {
    if (!ImGui::BeginPopupModal(kGameEnded, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
    ImGui::Text("The game ended with exit code %d.", exitCode_);
    if (errorLog_.empty()) {
        ImGui::TextUnformatted("It wrote no errorlog.txt.");
    } else {
        ImGui::TextUnformatted("Its errorlog.txt:");
        ImGui::BeginChild("errorlog", ImVec2(600, 200), true);
        ImGui::TextWrapped("%s", errorLog_.c_str());
        ImGui::EndChild();
    }
    if (ImGui::Button("OK")) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}
