// Pattern images loaded as the game loads them and drawn as the game tiles them along a line.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/settings.h"
#include "gfx/gfx.h"

class PatternPreviews {
public:
    PatternPreviews();
    ~PatternPreviews();
    PatternPreviews(const PatternPreviews&) = delete;
    PatternPreviews& operator=(const PatternPreviews&) = delete;

    // Draws pattern `name`, found in `folders`, as a straight piece of line on the match's
    // background colour, or says why the image cannot be loaded.
    void draw(const std::string& name, const std::vector<std::filesystem::path>& folders,
              const Settings& s);

    // Forgets every image, so that changed files are loaded again.
    void forget();

private:
    struct Preview {
        bool loaded = false;
        unsigned texture = 0;  // the GL name
        int height = 0;        // one repeat of the pattern, in pixels of travel
        std::string problem;
    };
    Gfx gfx_;  // the texture table the previews load into
    // By path.
    std::map<std::string, Preview> previews_;

    const Preview& preview(const std::string& path);
};
