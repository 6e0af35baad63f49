// The pattern images a slot can choose: the files in the folders where the game looks for them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct PatternFiles {
    std::vector<std::string> names;  // sorted, each once
    std::string problem;             // why there are none to choose, empty when there are some
};

// The regular files (or links to them) in `folders`, hidden ones left out.
PatternFiles listPatternFiles(const std::vector<std::filesystem::path>& folders);
