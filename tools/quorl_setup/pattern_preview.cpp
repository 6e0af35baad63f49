// Pattern previews through the game's own texture manager (DevIL, the same checks and the same
// messages), drawn into the ImGui window with the texture coordinates the game gives a line.
#include "tools/quorl_setup/pattern_preview.h"

#include <IL/il.h>
#include <IL/ilu.h>
#include <imgui.h>

#include <algorithm>

#include "core/text_error.h"
#include "gfx/texture_manager.h"

namespace {

constexpr float kPreviewLength = 150.0f;
// The line is drawn at least this wide, however thin the match's lines, so its pattern shows.
constexpr float kMinPreviewWidth = 12.0f;
constexpr float kMaxPreviewWidth = 24.0f;

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

// The texture manager keeps its table in the graphics state: the previews have one of their own.
PatternPreviews::PatternPreviews() {
    gfx = &gfx_;
    ilInit();
    iluInit();
}

// The textures go with gfx_, which needs the GL context still current.
PatternPreviews::~PatternPreviews() {
    gfx = nullptr;
}

const PatternPreviews::Preview& PatternPreviews::preview(const std::string& path) {
    auto [entry, fresh] = previews_.try_emplace(path);
    Preview& preview = entry->second;
    if (!fresh) return preview;
    try {
        const TextureId id = loadTexture(entry->first.c_str());
        preview.texture = textureRecord(id).glName;
        preview.height = textureRecord(id).height;
        preview.loaded = true;
    } catch (const TextError& error) {
        preview.problem = "cannot be loaded: " + oneLine(error.text);
    }
    return preview;
}

void PatternPreviews::draw(const std::string& name,
                           const std::vector<std::filesystem::path>& folders, const Settings& s) {
    std::string path;
    for (const auto& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / name, error)) {
            path = (folder / name).string();
            break;
        }
    }
    if (path.empty()) {
        ImGui::TextDisabled("no such image");
        return;
    }
    const Preview& shown = preview(path);
    if (!shown.loaded) {
        ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(255, 110, 90, 255));
        ImGui::TextWrapped("%s", shown.problem.c_str());
        ImGui::PopStyleColor();
        return;
    }
    // Scaled from the match's line width; one repeat covers `height` pixels of travel at the
    // same scale, as the game's t grows by one every patternLength pixels.
    const float lineWidth = std::max<float>(s.lineWidth, 1.0f);
    const float width = std::clamp(lineWidth * 2.0f, kMinPreviewWidth, kMaxPreviewWidth);
    const float repeat = static_cast<float>(shown.height) * width / lineWidth;
    const float t = kPreviewLength / repeat;
    const float margin = 3.0f;
    const ImVec2 at = ImGui::GetCursorScreenPos();
    ImDrawList* list = ImGui::GetWindowDrawList();
    // Faded with the rest of a dimmed row.
    const int alpha = static_cast<int>(ImGui::GetStyle().Alpha * 255.0f);
    list->AddRectFilled(at, ImVec2(at.x + kPreviewLength + 2 * margin, at.y + width + 2 * margin),
                        IM_COL32(s.clearColorRed, s.clearColorGreen, s.clearColorBlue, alpha));
    // Travelling to the right: the left edge (s = 0) is the upper one.
    const float x0 = at.x + margin, x1 = x0 + kPreviewLength;
    const float top = at.y + margin, bottom = top + width;
    list->AddImageQuad(reinterpret_cast<ImTextureID>(static_cast<std::uintptr_t>(shown.texture)),
                       ImVec2(x0, top), ImVec2(x1, top), ImVec2(x1, bottom), ImVec2(x0, bottom),
                       ImVec2(0, 0), ImVec2(0, t), ImVec2(1, t), ImVec2(1, 0),
                       IM_COL32(255, 255, 255, alpha));
    ImGui::Dummy(ImVec2(kPreviewLength + 2 * margin, width + 2 * margin));
}

void PatternPreviews::forget() {
    previews_.clear();
    releaseTextures();
}
