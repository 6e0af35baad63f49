// Helpers for the quorl-config tests.
#include "test_support.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/setting_fields.h"

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "quorl-config-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string TempFolder::path(const std::string& name) const {
    return name.empty() ? root_ : root_ + "/" + name;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

void writeFile(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary);
    out << data;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string asString(const SettingsBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

SettingsBytes defaultBytes() {
    SettingsBytes bytes{};
    encodeSettings(defaultSettings(), bytes.data());
    return bytes;
}

SettingsBytes randomBytes(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> anyByte(0, 255);
    SettingsBytes bytes{};
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(anyByte(random));
    return bytes;
}

namespace {

// Child side of runTool: never returns.
[[noreturn]] void execTool(const std::string& program, const std::string& folder,
                           const std::vector<std::string>& args, const std::string& outPath,
                           const std::string& errPath, long fileSizeLimit) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
        ::chdir(folder.c_str()) != 0) {
        ::_exit(127);
    }
    if (fileSizeLimit > 0) {
        const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

}  // namespace

ToolRun runTool(const std::string& folder, const std::vector<std::string>& args, long fileSizeLimit,
                const std::string& program) {
    const TempFolder capture;
    const std::string outPath = capture.path("out"), errPath = capture.path("err");
    const pid_t child = ::fork();
    if (child == 0) execTool(program, folder, args, outPath, errPath, fileSizeLimit);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        throw std::runtime_error("running quorl-config failed");
    }
    return {WEXITSTATUS(status), readFile(outPath), readFile(errPath)};
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void writeDefaultPatterns(const TempFolder& folder) {
    std::filesystem::create_directory(folder.path("patterns"));
    for (const char* name :
         {"red.png", "green.png", "blue.png", "yellow.png", "magenta.png", "cyan.png"}) {
        writeFile(folder.path("patterns/") + name, "png");
    }
}
