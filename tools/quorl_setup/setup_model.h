// The match being set up in quorl-setup: the config and keys files as loaded, the player's
// edits, what `check` finds in them, and saving. No window or GL, so the tests drive it directly.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/keys_file.h"
#include "core/settings.h"
#include "core/settings_file.h"

// What is shown beside a field: why the player's last edit of it was refused, or a problem or
// warning of `check`.
struct FieldNote {
    enum class Kind { refused, problem, warning };
    Kind kind;
    std::string text;
};

class SetupModel {
public:
    // Opens the config at `configPath` and the keys file beside it: a missing file starts from
    // the defaults, which Save writes; one that cannot be read is kept aside (loadError) and
    // left alone.
    explicit SetupModel(std::string configPath);

    const std::string& configPath() const { return configPath_; }
    // The folder holding the config, where the game plays.
    std::string folder() const;

    // Why the config or the keys file could not be read, empty when both could. While it is
    // set, what could not be read is the defaults and Save refuses, so that the file stays as
    // it is until the player chooses to replace it.
    const std::string& loadError() const { return loadError_; }
    void replaceUnreadableFiles();

    // What to know about the file as it was read: missing, or not 1618 bytes long.
    const std::string& fileNote() const { return fileNote_; }

    const Settings& settings() const { return edited_; }
    const Bindings& bindings() const { return editedKeys_.bindings; }
    // The settings of the keys file: keys, computer players, sound.
    const TextSettings& keysFileSettings() const { return editedKeys_; }

    // A named setting of quorl-config (`speed`, `slot2.name`, `slot3.computer`, `volume`) in the
    // form `set` takes.
    std::string value(const std::string& name) const;

    // Sets a named setting by the rules of quorl-config set; returns why it was refused, or an
    // empty text when it was taken. The refusal stays beside the field until an edit of it is
    // taken. In a player's name, characters the game's font cannot draw are left out and the
    // rest is taken; the note saying so stays until another field is edited.
    std::string set(const std::string& name, const std::string& value);

    // Binds `key` (0 for a key the game does not read) to a slot's role; returns why it was
    // refused (a reserved key, or one another player holds, naming the player), or an empty
    // text.
    std::string setKey(int slot, KeyRole role, std::uint8_t key);

    // The key that made the last edit of `holder` fail by holding the key it was given.
    std::optional<KeyHolder> clashWith(const KeyHolder& holder) const;

    // How the window names the player of `slot`: the name, or "Player N" (N from 1) without one.
    std::string playerName(int slot) const;

    // The slots that take part in a match: enabled, steered by people or the computer.
    int playerCount() const;

    // Why Play cannot start a match with these settings, or an empty text when it can.
    std::string playRefusal() const;

    // The score limit that suits the number of players (10 points per opponent), while the
    // match ends at a score limit other than it; none otherwise.
    std::optional<unsigned> suggestedLimit() const;

    // The refusal of the last edit of the setting `name`, then the problems and warnings of
    // `check` that concern it; "players" holds those about the slots as a whole, and a key is
    // named as quorl-config names it ("slot2.left").
    std::vector<FieldNote> notes(const std::string& name) const;

    // True when Save would write something other than what the file holds.
    bool dirty() const;

    // Puts every setting back to the defaults of quorl-config new.
    void restoreDefaults();

    // Writes the config atomically, making its folder when needed, and the keys file when they
    // differ from it (or, when there is none, from the defaults); returns the error message,
    // or an empty text when all was saved.
    std::string save();

    // Which connected controller steers `slot`: k for the k-th, 0 for a slot that does not play
    // or that the computer steers. Controllers steer the other playing slots in slot order.
    int controllerFor(int slot) const;

    // Checks the settings again, for pattern files that came or went since the last edit.
    void recheck();

private:
    void loadConfig();
    void loadKeys();
    std::string refuse(const std::string& name, const std::string& why);
    std::string setName(const std::string& name, const std::string& value);
    // Drops the note of left-out characters when a field other than its own is edited.
    void editing(const std::string& name);

    std::string configPath_;
    std::string keysPath_;
    std::string loadError_;
    std::string fileNote_;
    bool fileExists_ = false;
    bool keysUnreadable_ = false;  // until Save, once the player chose to, replaces the file
    Settings saved_{};
    Settings edited_{};
    TextSettings savedKeys_;
    TextSettings editedKeys_;
    struct Refusal {
        std::string text;
        std::optional<KeyHolder> clash;  // the other holder of a refused key
    };
    std::map<std::string, Refusal> refusals_;  // by setting name
    // The name field whose note tells of left-out characters, until another field is edited.
    std::string leftOutNote_;
    struct Finding {
        std::vector<std::string> settings;
        FieldNote note;
    };
    std::vector<Finding> findings_;
};
