// The match settings as a table of two label and field column pairs.
#include "tools/quorl_setup/match_panel.h"

#include <imgui.h>

#include <cfloat>
#include <cmath>

#include "tools/quorl_setup/field_widgets.h"

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
    ImGui::EndTable();
}
