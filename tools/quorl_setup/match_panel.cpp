// The match settings as tables of two label and field column pairs.
#include "tools/quorl_setup/match_panel.h"

#include <imgui.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>

#include "tools/quorl_setup/field_widgets.h"
#include "tools/quorl_setup/test_sound.h"

namespace {

void modeField(SetupModel& model) {
    labelCell("Match ends");
    const bool rounds = model.value("mode") == "rounds";
    if (ImGui::RadioButton("by points", !rounds)) model.set("mode", "score");
    ImGui::SameLine();
    if (ImGui::RadioButton("by rounds", rounds)) model.set("mode", "rounds");
    drawNotes(model, "mode");
}

void backgroundField(SetupModel& model) {
    labelCell("Background");
    const Settings& s = model.settings();
    float colour[3] = {s.clearColorRed / 255.0f, s.clearColorGreen / 255.0f,
                       s.clearColorBlue / 255.0f};
    ImGui::SetNextItemWidth(-FLT_MIN);
    if (ImGui::ColorEdit3("##background", colour)) {
        std::string value;
        for (const float channel : colour) {
            value += (value.empty() ? "" : ",") + std::to_string(std::lround(channel * 255.0f));
        }
        model.set("background", value);
    }
    drawNotes(model, "background");
}

// Sound on or off, its volume, and a button that plays a sound at that volume.
void soundField(SetupModel& model) {
    labelCell("Sound");
    bool on = model.value("sound") == "yes";
    if (ImGui::Checkbox("##sound", &on)) model.set("sound", on ? "yes" : "no");
    ImGui::SameLine();
    int volume = static_cast<int>(model.keysFileSettings().sound.volume);
    ImGui::SetNextItemWidth(ImGui::GetContentRegionAvail().x - ImGui::CalcTextSize("Test").x -
                            2 * ImGui::GetStyle().FramePadding.x -
                            ImGui::GetStyle().ItemSpacing.x);
    if (ImGui::SliderInt("##volume", &volume, 0, 100, "volume %d")) {
        model.set("volume", std::to_string(volume));
    }
    ImGui::SameLine();
    static std::string problem;
    if (ImGui::Button("Test")) problem = playTestSound(model.folder(), volume);
    if (!problem.empty()) messageText(problem, true);
    drawNotes(model, "sound");
    drawNotes(model, "volume");
}

// The limit, and beside it the limit that suits the number of players, when it differs.
void limitField(SetupModel& model) {
    const bool rounds = model.value("mode") == "rounds";
    numberField(model, rounds ? "Rounds" : "Points to win", "limit");
    if (const std::optional<unsigned> suggested = model.suggestedLimit()) {
        const std::string label = "Use " + std::to_string(*suggested) + " (10 per opponent)";
        if (ImGui::SmallButton(label.c_str())) model.set("limit", std::to_string(*suggested));
    }
}

bool beginPairs(const char* id) {
    if (!ImGui::BeginTable(id, 4)) return false;
    for (int pair = 0; pair < 2; ++pair) {
        ImGui::TableSetupColumn("label", ImGuiTableColumnFlags_WidthFixed, 150);
        ImGui::TableSetupColumn("field", ImGuiTableColumnFlags_WidthStretch, 1.0f);
    }
    return true;
}

}  // namespace

void drawMatchPanel(SetupModel& model) {
    if (!beginPairs("match")) return;
    modeField(model);
    limitField(model);
    flagField(model, "Pickups", "pickups");
    numberField(model, "Pickups at once", "max-pickups");
    soundField(model);
    ImGui::EndTable();
}

void drawAdvancedPanel(SetupModel& model) {
    ImGui::TextDisabled("Settings file: %s", model.configPath().c_str());
    if (!model.fileNote().empty()) ImGui::TextDisabled("%s", model.fileNote().c_str());
    if (!beginPairs("advanced")) return;
    numberField(model, "Speed (pixels/s)", "speed");
    numberField(model, "Turn rate (degrees/s)", "turn-rate");
    numberField(model, "Line width (pixels)", "line-width");
    numberField(model, "Hole radius (pixels)", "hole-radius");
    numberField(model, "Gap length (pixels)", "gap-length");
    numberField(model, "Gap every (s, 0: none)", "gap-interval");
    backgroundField(model);
    flagField(model, "Full screen", "fullscreen");
    numberField(model, "Swap interval", "swap-interval");
    ImGui::EndTable();
}
