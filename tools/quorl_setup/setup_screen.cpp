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
constexpr const char* kDefaultsQuestion = "Put back the defaults?";
constexpr const char* kGameRunning = "The game is running";
constexpr const char* kGameEnded = "The game ended";

constexpr ImU32 kPlayColour = IM_COL32(40, 140, 70, 255);
constexpr ImU32 kPlayHovered = IM_COL32(55, 170, 90, 255);
constexpr ImU32 kUnsavedColour = IM_COL32(240, 200, 80, 255);
constexpr ImU32 kWinnerColour = IM_COL32(255, 210, 90, 255);

void heading(const char* text) {
    ImGui::Spacing();
    ImGui::TextUnformatted(text);
    ImGui::Separator();
}

// The window's second font, larger, when there is one; the first otherwise.
ImFont* largeFont() {
    const ImFontAtlas* fonts = ImGui::GetIO().Fonts;
    return fonts->Fonts.Size > 1 ? fonts->Fonts[1] : fonts->Fonts[0];
}

const char* levelWords(ComputerLevel level) {
    switch (level) {
        case ComputerLevel::easy:
            return "computer, easy";
        case ComputerLevel::normal:
            return "computer, normal";
        case ComputerLevel::hard:
            return "computer, hard";
        default:
            return "";
    }
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

std::string SetupScreen::title() const {
    return model_.dirty() ? "Quorl Setup - unsaved changes" : "Quorl Setup";
}

void SetupScreen::draw(const std::vector<std::string>& controllers) {
    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    ImGui::SetNextWindowPos(viewport->Pos);
    ImGui::SetNextWindowSize(viewport->Size);
    constexpr ImGuiWindowFlags kFlags =
        ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings;
    if (game_.running()) pollGame();
    ImGui::Begin("Quorl Setup", nullptr, kFlags);
    drawButtons();
    // Flattened, so that the arrows move between the buttons above and its fields alike.
    ImGui::BeginChild("settings", ImVec2(0, 0), false, ImGuiWindowFlags_NavFlattened);
    drawLoadError();
    if (result_) drawResult();
    heading("Players");
    PlayersView players{model_, previews_, patterns_, controllers, capture_};
    drawPlayersPanel(players);
    heading("Match");
    drawMatchPanel(model_);
    ImGui::Spacing();
    if (ImGui::CollapsingHeader("Advanced")) drawAdvancedPanel(model_);
    ImGui::EndChild();
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

void SetupScreen::drawLoadError() {
    if (model_.loadError().empty()) return;
    messageText("Cannot read the settings: " + model_.loadError(), true);
    if (ImGui::Button("Start from the defaults (Save replaces what could not be read)")) {
        model_.replaceUnreadableFiles();
    }
}

// Play first and large, the other buttons beside it; below them, why Play cannot start a match
// or what the last action did.
void SetupScreen::drawButtons() {
    ImGui::PushFont(largeFont());
    for (const ImGuiCol part : {ImGuiCol_Button, ImGuiCol_ButtonHovered, ImGuiCol_ButtonActive}) {
        ImGui::PushStyleColor(part, part == ImGuiCol_Button ? kPlayColour : kPlayHovered);
    }
    const char* play = result_ ? "Play again###play" : "Play###play";
    if (ImGui::Button(play, ImVec2(220, 0))) this->play();
    ImGui::PopStyleColor(3);
    ImGui::PopFont();
    const float row = ImGui::GetItemRectSize().y;
    const auto nextButton = [row](const char* label, float width = 0) {
        ImGui::SameLine();
        return ImGui::Button(label, ImVec2(width, row));
    };
    // As wide with or without the note, so that the buttons after it stay where they are.
    constexpr const char* kUnsavedSave = "Save (unsaved changes)###save";
    const float saveWidth =
        ImGui::CalcTextSize(kUnsavedSave, nullptr, true).x + ImGui::GetStyle().FramePadding.x * 2;
    const bool dirty = model_.dirty();
    if (dirty) ImGui::PushStyleColor(ImGuiCol_Text, kUnsavedColour);
    if (nextButton(dirty ? kUnsavedSave : "Save###save", saveWidth)) save();
    if (dirty) ImGui::PopStyleColor();
    if (nextButton("Defaults")) popupToOpen_ = kDefaultsQuestion;
    if (nextButton("Quit")) requestQuit();
    const std::string refusal = model_.playRefusal();
    if (!refusal.empty()) {
        messageText(refusal, true);
    } else if (statusProblem_) {
        messageText(status_, true);
    } else {
        ImGui::TextUnformatted(status_.c_str());
    }
    ImGui::Separator();
}

// The last match: who won in large letters, the standings with each player's colour, and the
// rounds played.
void SetupScreen::drawResult() {
    ImGui::Spacing();
    ImGui::PushFont(largeFont());
    ImGui::PushStyleColor(ImGuiCol_Text, kWinnerColour);
    ImGui::TextWrapped("%s", result_->headline.c_str());
    ImGui::PopStyleColor();
    ImGui::PopFont();
    constexpr ImGuiTableFlags kFlags = ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg;
    const std::vector<std::filesystem::path> folders = patternFolders(model_.configPath());
    if (ImGui::BeginTable("result", 5, kFlags)) {
        // Fixed widths, so that the table is laid out in its first frame.
        const std::pair<const char*, float> columns[] = {
            {"Place", 50}, {"Player", 55}, {"Name", 230}, {"Colour", 170}, {"Points", 60}};
        for (const auto& [column, width] : columns) {
            ImGui::TableSetupColumn(column, ImGuiTableColumnFlags_WidthFixed, width);
        }
        ImGui::TableHeadersRow();
        for (const MatchResult::Row& row : result_->standings) {
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::Text("%d.", row.place);
            ImGui::TableNextColumn();
            ImGui::Text("%d", row.number);
            ImGui::TableNextColumn();
            ImGui::TextUnformatted(row.name.c_str());
            if (row.computer != ComputerLevel::none) {
                ImGui::SameLine();
                ImGui::TextDisabled("(%s)", levelWords(row.computer));
            }
            ImGui::TableNextColumn();
            previews_.draw(row.pattern, folders, model_.settings());
            ImGui::TableNextColumn();
            ImGui::Text("%u", row.score);
        }
        ImGui::EndTable();
    }
    ImGui::Text("Rounds played: %d", result_->roundsPlayed);
    ImGui::Spacing();
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
    const std::string refusal = model_.playRefusal();
    if (!refusal.empty()) {
        setStatus(refusal, true);
        return;
    }
    save();
    if (statusProblem_) return;
    resultsBefore_ = resultsWritten(model_.folder());
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
    if (!ImGui::BeginPopupModal(kDefaultsQuestion, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
        return;
    }
    ImGui::TextUnformatted("Every name, colour, key and rule goes back to how the game comes:");
    ImGui::TextUnformatted("a match of two people, Red on the arrow keys and Cyan on Q, W and E.");
    if (ImGui::Button("Put back the defaults")) {
        model_.restoreDefaults();
        setStatus("The defaults are back: Save keeps them", false);
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel") || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape))) {
        ImGui::CloseCurrentPopup();
    }
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
    std::string problem;
    if (std::optional<MatchResult> result = readNewResult(model_.folder(), resultsBefore_, problem)) {
        result_ = std::move(result);
        // Also for whoever started the setup from a terminal.
        std::cerr << "quorl-setup: " << result_->headline << "\n";
    }
    if (*code == 0) {
        std::cerr << "quorl-setup: the game ended with exit code 0\n";
        if (!problem.empty()) {
            setStatus(problem, true);
        } else {
            setStatus(result_ ? "" : "The game ended before a round began", false);
        }
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
