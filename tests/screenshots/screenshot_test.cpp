// Scripted matches played by quorl-runner whose final frames must match committed reference PNGs.
#include <IL/il.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Each channel may differ by this much: llvmpipe builds round blending and texture filtering
// differently across Mesa versions and CPUs (SSE or AVX code paths).
constexpr int kChannelTolerance = 8;
// And beyond that, at most this many pixels in 100000 (0.01 %, 78 of 1024 x 768) may differ:
// enough for a few edge pixels of a slanted quad to fall the other way, far too few to hide a
// missing line, hole, banner or text (a rocket hole in a 5 px line alone is over 200 pixels).
constexpr long kDifferingPer100k = 10;

const fs::path kSourceDir = QUORL_SOURCE_DIR;
const fs::path kScenarioDir = kSourceDir / "tests/screenshots";
const fs::path kReferenceDir = kSourceDir / "tests/data/screenshots";
const fs::path kBuildDir = QUORL_BUILD_DIR;

// A scripted match: `config` settings for quorl-config set, runner options, key events and
// lines the runner's summary must contain.
struct Scenario {
    std::vector<std::string> settings;
    std::string seed = "1";
    std::string frames = "600";
    std::string frameMs = "16";
    std::vector<std::string> keys;
    std::vector<std::string> expected;
};

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> result;
    for (std::string word; in >> word;) result.push_back(word);
    return result;
}

Scenario readScenario(const fs::path& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    Scenario s;
    std::string line;
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        const auto space = line.find(' ', start);
        const std::string name = line.substr(start, space - start);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        std::vector<std::string> values = words(rest);
        if (name == "config")
            s.settings.insert(s.settings.end(), values.begin(), values.end());
        else if (name == "keys")
            s.keys.insert(s.keys.end(), values.begin(), values.end());
        else if (name == "expect")
            s.expected.push_back(rest);
        else if (values.size() == 1 && name == "seed")
            s.seed = values[0];
        else if (values.size() == 1 && name == "frames")
            s.frames = values[0];
        else if (values.size() == 1 && name == "frame-ms")
            s.frameMs = values[0];
        else
            throw std::runtime_error(path.string() + ": cannot read the line '" + line + "'");
    }
    return s;
}

std::vector<std::string> scenarioNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kScenarioDir)) {
        if (entry.path().extension() == ".scenario") names.push_back(entry.path().stem());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

struct CommandResult {
    int exitCode;
    std::string output;
};

// Runs a shell command and collects its standard output and error.
CommandResult runCommand(const std::string& command) {
    CommandResult run{-1, ""};
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// An RGB image, rows bottom first as DevIL and GL keep them.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<ILubyte> rgb;
};

bool loadImage(const fs::path& path, Image& image) {
    ILuint id = 0;
    ilGenImages(1, &id);
    ilBindImage(id);
    const bool loaded = ilLoadImage(path.c_str()) != IL_FALSE &&
                        ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE) != IL_FALSE;
    if (loaded) {
        image.width = ilGetInteger(IL_IMAGE_WIDTH);
        image.height = ilGetInteger(IL_IMAGE_HEIGHT);
        const ILubyte* data = ilGetData();
        image.rgb.assign(data, data + static_cast<std::size_t>(image.width) * image.height * 3);
    }
    ilDeleteImages(1, &id);
    return loaded;
}

bool saveImage(const fs::path& path, Image& image) {
    ILuint id = 0;
    ilGenImages(1, &id);
    ilBindImage(id);
    ilTexImage(static_cast<ILuint>(image.width), static_cast<ILuint>(image.height), 1, 3, IL_RGB,
               IL_UNSIGNED_BYTE, image.rgb.data());
    const bool saved = ilSave(IL_PNG, path.c_str()) != IL_FALSE;
    ilDeleteImages(1, &id);
    return saved;
}

struct Comparison {
    long differing = 0;
    int left, top, right, bottom;  // bounding box of the differing pixels, top-down rows
    Image difference;              // the reference dimmed, differing pixels in bright red
};

Comparison compare(const Image& reference, const Image& actual) {
    Comparison c{0, reference.width, reference.height, -1, -1, reference};
    for (int row = 0; row < reference.height; ++row) {
        for (int x = 0; x < reference.width; ++x) {
            const std::size_t i = (static_cast<std::size_t>(row) * reference.width + x) * 3;
            bool differs = false;
            for (int k = 0; k < 3; ++k) {
                differs |= std::abs(reference.rgb[i + k] - actual.rgb[i + k]) > kChannelTolerance;
                c.difference.rgb[i + k] = static_cast<ILubyte>(reference.rgb[i + k] / 4);
            }
            if (!differs) continue;
            ++c.differing;
            c.difference.rgb[i] = 255;
            const int y = reference.height - 1 - row;
            c.left = std::min(c.left, x);
            c.right = std::max(c.right, x);
            c.top = std::min(c.top, y);
            c.bottom = std::max(c.bottom, y);
        }
    }
    return c;
}

// A scratch run folder under the build folder: the repository's images and a fresh config.
fs::path makeRunFolder(const std::string& name, const Scenario& s) {
    const fs::path folder = kBuildDir / "screenshot-runs" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::create_directory_symlink(kSourceDir / "system", folder / "system");
    fs::create_directory_symlink(kSourceDir / "patterns", folder / "patterns");
    const std::string config = quoted((folder / "config").string());
    std::string command = quoted(QUORL_CONFIG) + " new --force " + config;
    if (!s.settings.empty()) {
        command += " && " + quoted(QUORL_CONFIG) + " set " + config;
        for (const std::string& setting : s.settings) command += " " + quoted(setting);
    }
    const CommandResult run = runCommand(command);
    if (run.exitCode != 0) throw std::runtime_error("quorl-config failed:\n" + run.output);
    return folder;
}

CommandResult playScenario(const fs::path& folder, const Scenario& s, const fs::path& png) {
    std::string command = quoted(QUORL_RUNNER) + " --dir " + quoted(folder.string()) + " --seed " +
                          s.seed + " --frames " + s.frames + " --frame-ms " + s.frameMs +
                          " --png " + quoted(png.string());
    for (const std::string& key : s.keys) command += " --key " + quoted(key);
    return runCommand(command);
}

bool updating() {
    const char* update = std::getenv("QUORL_UPDATE_SCREENSHOTS");
    return update != nullptr && std::string(update) == "1";
}

class Screenshot : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() {
        ilInit();
        ilEnable(IL_FILE_OVERWRITE);
        // Every image in memory keeps its rows bottom first, whatever the file's order.
        ilEnable(IL_ORIGIN_SET);
        ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
    }
};

TEST_P(Screenshot, FinalFrameMatchesTheReference) {
    const std::string name = GetParam();
    const Scenario scenario = readScenario(kScenarioDir / (name + ".scenario"));
    const fs::path folder = makeRunFolder(name, scenario);
    const fs::path actualPath = folder / "actual.png";
    const CommandResult run = playScenario(folder, scenario, actualPath);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const std::string& line : scenario.expected)
        EXPECT_NE(run.output.find(line), std::string::npos)
            << "the summary lacks \"" << line << "\":\n"
            << run.output;

    const fs::path referencePath = kReferenceDir / (name + ".png");
    if (updating()) {
        fs::copy_file(actualPath, referencePath, fs::copy_options::overwrite_existing);
        std::printf("wrote %s\n", referencePath.c_str());
        return;
    }
    Image reference, actual;
    ASSERT_TRUE(loadImage(referencePath, reference)) << "no reference image " << referencePath;
    ASSERT_TRUE(loadImage(actualPath, actual)) << "the runner wrote no image " << actualPath;
    ASSERT_EQ(actual.width, reference.width);
    ASSERT_EQ(actual.height, reference.height);

    Comparison c = compare(reference, actual);
    const long allowed =
        static_cast<long>(reference.width) * reference.height * kDifferingPer100k / 100000;
    if (c.differing <= allowed) return;
    const fs::path failures = kBuildDir / "screenshot-failures";
    fs::create_directories(failures);
    const fs::path keptActual = failures / (name + "-actual.png");
    const fs::path diff = failures / (name + "-diff.png");
    fs::copy_file(actualPath, keptActual, fs::copy_options::overwrite_existing);
    saveImage(diff, c.difference);
    ADD_FAILURE() << c.differing << " pixels differ by more than " << kChannelTolerance
                  << " in a channel (at most " << allowed << " may), within x " << c.left << ".."
                  << c.right << ", y " << c.top << ".." << c.bottom << " (y down)\n"
                  << "  reference:  " << referencePath.string() << "\n"
                  << "  actual:     " << keptActual.string() << "\n"
                  << "  difference: " << diff.string() << "\n"
                  << "After an intended visual change run scripts/update-screenshots.sh.";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Screenshot, ::testing::ValuesIn(scenarioNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

}  // namespace
