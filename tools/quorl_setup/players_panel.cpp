// The slots as a table: plays, name, pattern with its preview, the three keys and who steers
// it (people, with their controller, or the computer); each slot's notes in a row of their own
// below it.
#include "tools/quorl_setup/players_panel.h"

#include <imgui.h>

#include <utf8.h>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <iterator>
#include <map>

#include "core/glyph_map.h"
#include "core/places.h"
#include "tools/quorl_setup/field_widgets.h"

namespace {

constexpr ImU32 kWaitingColour = IM_COL32(200, 140, 30, 255);
constexpr float kDimmedAlpha = 0.45f;

std::string slotSetting(int slot, const char* key) {
    return "slot" + std::to_string(slot) + "." + key;
}

// A character the game's font cannot draw, typed into a slot's name: left out alone, the rest
// of the typing kept, and said below the row until the player leaves the field.
std::map<int, std::string> leftOutCharacters;

struct NameEdit {
    SetupModel* model;
    std::string setting;
    int slot;
};

bool fontHas(char32_t character) {
    const std::vector<Glyph>& glyphs = fontGlyphs();
    return character < 0x80 ? character >= 0x20 && character < 0x7F
                            : std::any_of(glyphs.begin(), glyphs.end(), [&](const Glyph& glyph) {
                                  return glyph.codePoint == character;
                              });
}

// The name field hands the whole text to the model at every edit; a refused edit is undone in
// the field, and the refusal shows below the row.
int nameEdited(ImGuiInputTextCallbackData* data) {
    auto& [model, setting, slot] = *static_cast<NameEdit*>(data->UserData);
    if (data->EventFlag == ImGuiInputTextFlags_CallbackCharFilter) {
        if (fontHas(data->EventChar)) return 0;
        std::string character;
        utf8::append(static_cast<char32_t>(data->EventChar), std::back_inserter(character));
        leftOutCharacters[slot] =
            "\"" + character + "\" is not a letter of the game's font, so it was left out.";
        return 1;
    }
    if (model->set(setting, std::string(data->Buf, data->BufTextLen)).empty()) return 0;
    const std::string kept = model->value(setting);
    data->DeleteChars(0, data->BufTextLen);
    data->InsertChars(0, kept.c_str());
    return 0;
}

void nameField(SetupModel& model, int slot) {
    NameEdit edit{&model, slotSetting(slot, "name"), slot};
    char text[64] = {};
    std::strncpy(text, model.value(edit.setting).c_str(), sizeof text - 1);
    ImGui::SetNextItemWidth(-FLT_MIN);
    ImGui::InputText(("##" + edit.setting).c_str(), text, sizeof text,
                     ImGuiInputTextFlags_CallbackEdit | ImGuiInputTextFlags_CallbackCharFilter,
                     nameEdited, &edit);
    if (ImGui::IsItemDeactivated()) leftOutCharacters.erase(slot);
}

void patternField(PlayersView& view, int slot, const std::vector<std::filesystem::path>& folders) {
    const std::string setting = slotSetting(slot, "pattern");
    const std::string current = view.model.value(setting);
    ImGui::SetNextItemWidth(-FLT_MIN);
    if (ImGui::BeginCombo(("##" + setting).c_str(), current.c_str(), ImGuiComboFlags_HeightLarge)) {
        for (const std::string& name : view.patterns.names) {
            ImGui::PushID(name.c_str());
            if (ImGui::Selectable(name.c_str(), name == current, 0, ImVec2(0, 26))) {
                view.model.set(setting, name);
            }
            ImGui::SameLine(160);
            view.previews.draw(name, folders, view.model.settings());
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
    view.previews.draw(current, folders, view.model.settings());
}

void keyButton(PlayersView& view, int slot, KeyRole role) {
    const KeyHolder holder{slot, role};
    const bool waiting = view.capture && *view.capture == holder;
    const std::string label =
        waiting ? "press a key" : keyName(keyFor(view.model.bindings()[slot], role));
    // Amber while it waits, so that the player sees which key the next press binds.
    if (waiting) {
        for (const ImGuiCol part :
             {ImGuiCol_Button, ImGuiCol_ButtonHovered, ImGuiCol_ButtonActive}) {
            ImGui::PushStyleColor(part, kWaitingColour);
        }
    }
    if (ImGui::Button((label + "##" + holderName(holder)).c_str(), ImVec2(-FLT_MIN, 0))) {
        view.capture = holder;
    }
    if (waiting) ImGui::PopStyleColor(3);
}

// Who steers the slot: people, or the computer at a level; for people, the controller that
// will steer it beside the keyboard.
void steeredByCell(const PlayersView& view, int slot) {
    static const std::pair<const char*, const char*> kChoices[] = {
        {"no", "people"},
        {"easy", "computer, easy"},
        {"normal", "computer, normal"},
        {"hard", "computer, hard"}};
    const std::string setting = slotSetting(slot, "computer");
    const std::string current = view.model.value(setting);
    const char* shown = kChoices[0].second;
    for (const auto& [value, label] : kChoices) {
        if (current == value) shown = label;
    }
    ImGui::SetNextItemWidth(-FLT_MIN);
    if (ImGui::BeginCombo(("##" + setting).c_str(), shown)) {
        for (const auto& [value, label] : kChoices) {
            if (ImGui::Selectable(label, current == value)) view.model.set(setting, value);
        }
        ImGui::EndCombo();
    }
    const int k = view.model.controllerFor(slot);
    if (k == 0) return;
    const std::size_t index = static_cast<std::size_t>(k - 1);
    if (index < view.controllers.size()) {
        ImGui::TextWrapped("controller %d: %s", k, view.controllers[index].c_str());
    } else {
        ImGui::TextDisabled("controller %d: not connected", k);
    }
}

// The notes of a slot's fields, below its row, from the name column to the table's right edge,
// each after the name of its column.
void notesRow(const SetupModel& model, int slot, float right) {
    std::vector<std::pair<std::string, std::string>> fields = {
        {slotSetting(slot, "enabled"), "Plays: "},
        {slotSetting(slot, "name"), "Name: "},
        {slotSetting(slot, "pattern"), "Pattern: "}};
    for (const KeyRole role : kKeyRoles) {
        fields.push_back({holderName({slot, role}), std::string(keyRoleName(role)) + " key: "});
    }
    fields.push_back({slotSetting(slot, "computer"), "Steered by: "});
    const auto leftOut = leftOutCharacters.find(slot);
    bool any = leftOut != leftOutCharacters.end();
    for (const auto& field : fields) any = any || !model.notes(field.first).empty();
    if (!any) return;
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(2);
    ImGui::PushTextWrapPos(right - ImGui::GetWindowPos().x);
    if (leftOut != leftOutCharacters.end()) messageText("Name: " + leftOut->second, true);
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
    ImGui::TableSetupColumn("Slot");
    ImGui::TableSetupColumn("Plays");
    ImGui::TableSetupColumn("Name", ImGuiTableColumnFlags_WidthFixed, 130);
    ImGui::TableSetupColumn("Pattern", ImGuiTableColumnFlags_WidthFixed, 170);
    ImGui::TableSetupColumn("Left", ImGuiTableColumnFlags_WidthFixed, 105);
    ImGui::TableSetupColumn("Right", ImGuiTableColumnFlags_WidthFixed, 105);
    ImGui::TableSetupColumn("Fire", ImGuiTableColumnFlags_WidthFixed, 105);
    ImGui::TableSetupColumn("Steered by", ImGuiTableColumnFlags_WidthStretch);
    ImGui::TableHeadersRow();
    const float right = ImGui::GetWindowPos().x + ImGui::GetWindowContentRegionMax().x;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ImGui::PushID(slot);
        ImGui::TableNextRow();
        ImGui::TableNextColumn();
        ImGui::AlignTextToFramePadding();
        ImGui::Text("%d", slot);
        ImGui::TableNextColumn();
        bool plays = view.model.settings().slotEnabled[slot] != 0;
        if (ImGui::Checkbox("##plays", &plays)) {
            view.model.set(slotSetting(slot, "enabled"), plays ? "yes" : "no");
        }
        // A slot that does not play is dimmed, all but its Plays box.
        if (!plays) ImGui::PushStyleVar(ImGuiStyleVar_Alpha, kDimmedAlpha);
        ImGui::TableNextColumn();
        nameField(view.model, slot);
        ImGui::TableNextColumn();
        patternField(view, slot, folders);
        for (const KeyRole role : kKeyRoles) {
            ImGui::TableNextColumn();
            keyButton(view, slot, role);
        }
        ImGui::TableNextColumn();
        steeredByCell(view, slot);
        if (!plays) ImGui::PopStyleVar();
        notesRow(view.model, slot, right);
        ImGui::PopID();
    }
    ImGui::EndTable();
}
