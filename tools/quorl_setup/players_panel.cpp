// The players as a table by number: plays, name, colour (the line's pattern, with its preview),
// who steers it and its three keys; each row's notes in a row of their own below it.
#include "tools/quorl_setup/players_panel.h"

#include <imgui.h>

#include <cctype>
#include <cfloat>
#include <cstring>

#include "core/places.h"
#include "tools/quorl_setup/field_widgets.h"

namespace {

constexpr ImU32 kWaitingColour = IM_COL32(200, 140, 30, 255);
constexpr ImU32 kClashColour = IM_COL32(190, 50, 40, 255);
constexpr float kDimmedAlpha = 0.45f;

std::string slotSetting(int slot, const char* key) {
    return "slot" + std::to_string(slot) + "." + key;
}

// The name field hands the whole text to the model at every edit; a refused edit is undone in
// the field, and the refusal shows below the row.
int nameEdited(ImGuiInputTextCallbackData* data) {
    auto& [model, setting] = *static_cast<std::pair<SetupModel*, std::string>*>(data->UserData);
    if (model->set(setting, std::string(data->Buf, data->BufTextLen)).empty()) return 0;
    const std::string kept = model->value(setting);
    data->DeleteChars(0, data->BufTextLen);
    data->InsertChars(0, kept.c_str());
    return 0;
}

void nameField(SetupModel& model, int slot) {
    std::pair<SetupModel*, std::string> edit{&model, slotSetting(slot, "name")};
    char text[64] = {};
    std::strncpy(text, model.value(edit.second).c_str(), sizeof text - 1);
    ImGui::SetNextItemWidth(-FLT_MIN);
    ImGui::InputText(("##" + edit.second).c_str(), text, sizeof text,
                     ImGuiInputTextFlags_CallbackEdit, nameEdited, &edit);
}

// A pattern as players name it: "red" for red.png. The file's name is its tooltip.
std::string colourName(const std::string& pattern) {
    return std::filesystem::path(pattern).stem().string();
}

void patternField(PlayersView& view, int slot, const std::vector<std::filesystem::path>& folders) {
    const std::string setting = slotSetting(slot, "pattern");
    const std::string current = view.model.value(setting);
    ImGui::SetNextItemWidth(-FLT_MIN);
    const std::string shown = colourName(current);
    if (ImGui::BeginCombo(("##" + setting).c_str(), shown.c_str(), ImGuiComboFlags_HeightLarge)) {
        for (const std::string& name : view.patterns.names) {
            ImGui::PushID(name.c_str());
            if (ImGui::Selectable(colourName(name).c_str(), name == current, 0, ImVec2(0, 26))) {
                view.model.set(setting, name);
            }
            ImGui::SameLine(160);
            view.previews.draw(name, folders, view.model.settings());
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("patterns/%s", current.c_str());
    view.previews.draw(current, folders, view.model.settings());
}

// Whether the last refused key of another button was refused because this one holds it.
bool holdsClash(const SetupModel& model, const KeyHolder& holder) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            const std::optional<KeyHolder> clash = model.clashWith({slot, role});
            if (clash && *clash == holder) return true;
        }
    }
    return false;
}

void pushButtonColour(ImU32 colour) {
    for (const ImGuiCol part : {ImGuiCol_Button, ImGuiCol_ButtonHovered, ImGuiCol_ButtonActive}) {
        ImGui::PushStyleColor(part, colour);
    }
}

void keyButton(PlayersView& view, int slot, KeyRole role) {
    const KeyHolder holder{slot, role};
    const bool waiting = view.capture && *view.capture == holder;
    const std::string label =
        waiting ? "press a key" : keyName(keyFor(view.model.bindings()[slot], role));
    // Amber while it waits, so that the player sees which key the next press binds; red when it
    // holds the key another player was just refused.
    const bool clash = !waiting && holdsClash(view.model, holder);
    if (waiting || clash) pushButtonColour(waiting ? kWaitingColour : kClashColour);
    if (ImGui::Button((label + "##" + holderName(holder)).c_str(), ImVec2(-FLT_MIN, 0))) {
        view.capture = holder;
    }
    if (waiting || clash) ImGui::PopStyleColor(3);
}

// People, or the computer at a level; choosing the computer for a row that does not play makes
// it play. A connected controller that steers the row is named below.
void steeredByCell(const PlayersView& view, int slot) {
    const std::string setting = slotSetting(slot, "computer");
    const std::string current = view.model.value(setting);
    const auto shown = [](const std::string& level) {
        return level == "no" ? std::string("People") : "Computer: " + level;
    };
    ImGui::SetNextItemWidth(-FLT_MIN);
    if (ImGui::BeginCombo(("##" + setting).c_str(), shown(current).c_str())) {
        for (const char* level : {"no", "easy", "normal", "hard"}) {
            if (ImGui::Selectable(shown(level).c_str(), current == level)) {
                view.model.set(setting, level);
                if (level != std::string("no")) view.model.set(slotSetting(slot, "enabled"), "yes");
            }
        }
        ImGui::EndCombo();
    }
    const int k = view.model.controllerFor(slot);
    const std::size_t index = static_cast<std::size_t>(k - 1);
    if (k > 0 && index < view.controllers.size()) {
        ImGui::TextDisabled("and %s", view.controllers[index].c_str());
    }
}

// The notes of a row's fields, below it, from the name column to the table's right edge, each
// after the name of its column.
void notesRow(const SetupModel& model, int slot, float right) {
    std::vector<std::pair<std::string, std::string>> fields = {
        {slotSetting(slot, "enabled"), "Plays: "},
        {slotSetting(slot, "name"), "Name: "},
        {slotSetting(slot, "pattern"), "Colour: "},
        {slotSetting(slot, "computer"), "Steered by: "}};
    for (const KeyRole role : kKeyRoles) {
        std::string label = keyRoleName(role);
        label[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(label[0])));
        fields.push_back({holderName({slot, role}), label + " key: "});
    }
    bool any = false;
    for (const auto& field : fields) any = any || !model.notes(field.first).empty();
    if (!any) return;
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(2);
    ImGui::PushTextWrapPos(right - ImGui::GetWindowPos().x);
    for (const auto& [setting, label] : fields) drawNotes(model, setting, label);
    ImGui::PopTextWrapPos();
}

}  // namespace

void drawPlayersPanel(PlayersView& view) {
    drawNotes(view.model, "players");
    if (!view.patterns.problem.empty()) messageText(view.patterns.problem, true);
    const std::vector<std::filesystem::path> folders = patternFolders(view.model.configPath());
    constexpr ImGuiTableFlags kFlags =
        ImGuiTableFlags_NoClip | ImGuiTableFlags_RowBg | ImGuiTableFlags_SizingFixedFit;
    if (!ImGui::BeginTable("players", 8, kFlags)) return;
    ImGui::TableSetupColumn("Player");
    ImGui::TableSetupColumn("Plays");
    ImGui::TableSetupColumn("Name", ImGuiTableColumnFlags_WidthFixed, 120);
    ImGui::TableSetupColumn("Colour", ImGuiTableColumnFlags_WidthFixed, 170);
    ImGui::TableSetupColumn("Steered by", ImGuiTableColumnFlags_WidthFixed, 150);
    ImGui::TableSetupColumn("Left", ImGuiTableColumnFlags_WidthFixed, 100);
    ImGui::TableSetupColumn("Right", ImGuiTableColumnFlags_WidthFixed, 100);
    ImGui::TableSetupColumn("Fire", ImGuiTableColumnFlags_WidthStretch);
    ImGui::TableHeadersRow();
    const float right = ImGui::GetWindowPos().x + ImGui::GetWindowContentRegionMax().x;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ImGui::PushID(slot);
        const bool plays = view.model.settings().slotEnabled[slot] != 0;
        ImGui::TableNextRow();
        ImGui::TableNextColumn();
        ImGui::AlignTextToFramePadding();
        if (plays) {
            ImGui::Text("%d", slot + 1);
        } else {
            ImGui::TextDisabled("%d", slot + 1);
        }
        ImGui::TableNextColumn();
        bool ticked = plays;
        if (ImGui::Checkbox("##plays", &ticked)) {
            view.model.set(slotSetting(slot, "enabled"), ticked ? "yes" : "no");
        }
        // A row that does not play is dimmed, yet can be edited for a later match.
        if (!plays) ImGui::PushStyleVar(ImGuiStyleVar_Alpha, kDimmedAlpha);
        ImGui::TableNextColumn();
        nameField(view.model, slot);
        ImGui::TableNextColumn();
        patternField(view, slot, folders);
        ImGui::TableNextColumn();
        steeredByCell(view, slot);
        for (const KeyRole role : kKeyRoles) {
            ImGui::TableNextColumn();
            keyButton(view, slot, role);
        }
        if (!plays) ImGui::PopStyleVar();
        notesRow(view.model, slot, right);
        ImGui::PopID();
    }
    ImGui::EndTable();
}
