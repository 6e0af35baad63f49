// Setting widgets: each shows the model's value, hands every change to the model as text, the
// way quorl-config set takes it, and shows what the model says about the setting.
#include "tools/quorl_setup/field_widgets.h"

#include <imgui.h>

#include <cfloat>

namespace {

constexpr ImU32 kProblemColour = IM_COL32(255, 110, 90, 255);
constexpr ImU32 kWarningColour = IM_COL32(240, 200, 80, 255);

}  // namespace

void messageText(const std::string& text, bool problem) {
    if (problem) ImGui::PushStyleColor(ImGuiCol_Text, kProblemColour);
    ImGui::TextWrapped("%s", text.c_str());
    if (problem) ImGui::PopStyleColor();
}

void drawNotes(const SetupModel& model, const std::string& name, const std::string& label) {
    for (const FieldNote& note : model.notes(name)) {
        const bool warning = note.kind == FieldNote::Kind::warning;
        ImGui::PushStyleColor(ImGuiCol_Text, warning ? kWarningColour : kProblemColour);
        ImGui::TextWrapped("%s%s%s", label.c_str(), warning ? "warning: " : "", note.text.c_str());
        ImGui::PopStyleColor();
    }
}

void labelCell(const char* label) {
    ImGui::TableNextColumn();
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(label);
    ImGui::TableNextColumn();
}

void numberField(SetupModel& model, const char* label, const std::string& name) {
    labelCell(label);
    int value = std::stoi(model.value(name));
    ImGui::SetNextItemWidth(-FLT_MIN);
    if (ImGui::InputInt(("##" + name).c_str(), &value)) model.set(name, std::to_string(value));
    drawNotes(model, name);
}

void flagField(SetupModel& model, const char* label, const std::string& name) {
    labelCell(label);
    bool on = model.value(name) == "yes";
    if (ImGui::Checkbox(("##" + name).c_str(), &on)) model.set(name, on ? "yes" : "no");
    drawNotes(model, name);
}
