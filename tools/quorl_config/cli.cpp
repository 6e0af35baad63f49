// The command line of quorl-config, parsed by CLI11; the work is done in commands.cpp.
#include "tools/quorl_config/cli.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "core/config_error.h"
#include "core/keys_file.h"
#include "core/places.h"
#include "core/setting_fields.h"
#include "core/text.h"
#include "tools/quorl_config/commands.h"

namespace {

constexpr int kUsageError = 2;
constexpr std::size_t kHelpWidth = 100;

struct Arguments {
    std::string file;  // empty: none given, see defaultFile()
    std::string text;
    std::string output;
    std::vector<std::string> settings;
    bool force = false;
    bool list = false;
};

// How the keys of the slots are set.
constexpr const char* kKeySettingsHelp =
    "  slotN.left, slotN.right, slotN.fire\n"
    "                  The slot's keys to turn left, turn right and fire, written to the file "
    "keys\n"
    "                  beside FILE; the slots' other keys stay as they are.\n"
    "                  Allowed: a key name of quorl-config keys --list (case does not matter), "
    "but\n"
    "                  not Space, Escape, Alt or F10, nor a key that another slot or key holds.\n";

// The setting names, meanings and values, with the six slots folded into slotN.
// A setting's help: its name over the first line of its meaning, then what it allows.
std::string settingHelp(const std::string& name, const std::string& meaning,
                        const std::string& allowed) {
    const std::string indent(18, ' ');
    std::string text = wrapText(meaning, kHelpWidth, indent);
    text.replace(0, name.size() + 2, "  " + name);
    return text + wrapText("Allowed: " + allowed + ".", kHelpWidth, indent);
}

std::string settingNamesHelp() {
    std::string text = "Settings (N is the slot, 0-5):\n";
    for (const SettingField& field : settingFields()) {
        if (field.slot > 0) continue;
        const std::string name = field.slot == 0 ? "slotN." + field.key : field.name;
        text += settingHelp(name, field.meaning, field.allowed);
    }
    text += kKeySettingsHelp;
    for (const TextField& field : textFields()) {
        const std::string name = field.perSlot ? "slotN." + std::string(field.key) : field.key;
        text += settingHelp(name, std::string(field.meaning) + " Written to the file keys.",
                            field.allowed);
    }
    return text +
           "Example:\n  quorl-config set speed=120 mode=score limit=10 slot3.enabled=yes "
           "slot3.name=Ödön slot3.pattern=blue.png\n  quorl-config set slot1.left=Z "
           "slot1.right=C slot1.fire=X\n  quorl-config set slot5.computer=hard volume=60";
}

void addFile(CLI::App* command, Arguments& args) {
    command->add_option("FILE", args.file,
                        "The settings file (default: ./config, else the one in "
                        "~/.local/share/quorl/)");
}

// The file when none is named (see chooseConfigFile); the run folder is made at once for a
// command that makes the file (`creates`). The choice of the run folder is said on `err`, since
// nothing on the command line names it.
std::string defaultFile(bool creates, std::ostream& err) {
    const ConfigChoice choice = chooseConfigFile(creates);
    if (!choice.inRunFolder) return choice.path;
    if (creates) makeFolderFor(choice.path);
    err << "quorl-config: using " << choice.path << "\n";
    return choice.path;
}

// Splits `set` arguments into the optional FILE and NAME=VALUE pairs.
Assignments splitSettings(Arguments& args) {
    std::vector<std::string> words = args.settings;
    if (!words.empty() && words.front().find('=') == std::string::npos) {
        args.file = words.front();
        words.erase(words.begin());
    }
    if (words.empty()) throw CLI::ValidationError("set", "give at least one NAME=VALUE");
    Assignments assignments;
    for (const std::string& word : words) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) {
            throw CLI::ValidationError("set", "expected NAME=VALUE, got \"" + word +
                                                  "\" (only the first argument may be the FILE)");
        }
        assignments.emplace_back(word.substr(0, equals), word.substr(equals + 1));
    }
    return assignments;
}

void printError(std::ostream& err, const std::string& message) {
    std::istringstream lines(message);
    for (std::string line; std::getline(lines, line);) {
        err << "quorl-config: error: " << line << "\n";
    }
}

}  // namespace

int runCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"Reads and edits the Quorl settings file (config) and the players' keys (keys).",
                 "quorl-config"};
    app.require_subcommand(1);
    app.footer(
        "FILE is config in the current folder unless given; when the folder has none, it is "
        "the player's own $XDG_DATA_HOME/quorl/config (~/.local/share/quorl/config) if that "
        "exists, or if the game is installed and the command makes the file (new, import). "
        "Patterns are files in the folder patterns/ beside FILE, and the slots' keys are in the "
        "file keys beside it, if any (slotN.left, slotN.right, slotN.fire). Exit status: 0 ok, 1 "
        "bad "
        "input, a problem or warning found by check, or a file error, 2 wrong usage.");
    Arguments args;

    CLI::App* show = app.add_subcommand("show", "Print every setting in readable form");
    addFile(show, args);

    CLI::App* set = app.add_subcommand("set", "Change settings by name: set [FILE] NAME=VALUE ...");
    set->add_option("SETTINGS", args.settings, "[FILE] NAME=VALUE ...")->required();
    set->add_flag("-f,--force", args.force, "Set a pattern that is not in the patterns folder");
    set->footer(settingNamesHelp());

    CLI::App* create = app.add_subcommand("new", "Write the default settings");
    addFile(create, args);
    create->add_flag("-f,--force", args.force, "Replace an existing file");

    CLI::App* exporter = app.add_subcommand("export", "Print the settings as an editable text");
    addFile(exporter, args);
    exporter->add_option("-o,--output", args.output, "Write the text to this file instead");

    CLI::App* importer = app.add_subcommand("import", "Write settings from a text made by export");
    importer->add_option("TEXT", args.text, "The settings text")->required();
    addFile(importer, args);
    importer->add_flag("-f,--force", args.force,
                       "Replace an existing file with other settings, and accept patterns that "
                       "are not in the patterns folder");

    CLI::App* check = app.add_subcommand(
        "check", "Report every problem the game would meet and every setting that spoils a match");
    addFile(check, args);

    CLI::App* keys = app.add_subcommand(
        "keys",
        "Print the slots' keys as a keys file, as bound beside FILE; --list: every key name");
    addFile(keys, args);
    keys->add_flag("-l,--list", args.list, "Print every key name instead, one a line");

    try {
        app.parse(argc, argv);
        const Assignments assignments = set->parsed() ? splitSettings(args) : Assignments{};
        if (keys->parsed() && args.list) return keysCommand(args.file, true, out, err);
        if (args.file.empty()) args.file = defaultFile(create->parsed() || importer->parsed(), err);
        if (show->parsed()) return showCommand(args.file, out);
        if (set->parsed()) return setCommand(args.file, assignments, args.force, out, err);
        if (create->parsed()) return newCommand(args.file, args.force, out);
        if (exporter->parsed()) return exportCommand(args.file, args.output, out, err);
        if (importer->parsed()) return importCommand(args.text, args.file, args.force, out);
        if (keys->parsed()) return keysCommand(args.file, false, out, err);
        return checkCommand(args.file, out, err);
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err) == 0 ? 0 : kUsageError;
    } catch (const ConfigError& error) {
        printError(err, error.what());
        return 1;
    }
}
