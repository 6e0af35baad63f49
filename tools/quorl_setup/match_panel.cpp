// The match settings as a table of two label and field column pairs.
#include "tools/quorl_setup/match_panel.h"

#include <imgui.h>

#include <cfloat>
#include <cmath>

#include "tools/quorl_setup/field_widgets.h"
#include "tools/quorl_setup/test_sound.h"

namespace {

void modeField(SetupModel& model) {
    labelCell("Match ends");
    const bool rounds = model.value("mode") == "rounds";
    if (ImGui::RadioButton("at the score limit", !rounds)) model.set("mode", "score");
    ImGui::SameLine();
    if (ImGui::RadioButton("after the rounds", rounds)) model.set("mode", "rounds");
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

}  // namespace

void drawMatchPanel(SetupModel& model) {
    if (!ImGui::BeginTable("match", 4)) return;
    for (int pair = 0; pair < 2; ++pair) {
        ImGui::TableSetupColumn("label", ImGuiTableColumnFlags_WidthFixed);
        ImGui::TableSetupColumn("field", ImGuiTableColumnFlags_WidthStretch, 1.0f);
    }
    modeField(model);
    numberField(model, model.value("mode") == "rounds" ? "Rounds" : "Score limit", "limit");
    numberField(model, "Speed (pixels/s)", "speed");
    numberField(model, "Turn rate (degrees/s)", "turn-rate");
    numberField(model, "Line width (pixels)", "line-width");
    numberField(model, "Gap length (pixels)", "gap-length");
    numberField(model, "Gap every (s, 0: none)", "gap-interval");
    flagField(model, "Pickups", "pickups");
    numberField(model, "Pickups at once", "max-pickups");
    numberField(model, "Hole radius (pixels)", "hole-radius");
    backgroundField(model);
    flagField(model, "Full screen", "fullscreen");
    numberField(model, "Swap interval", "swap-interval");
    soundField(model);
    ImGui::EndTable();
}
