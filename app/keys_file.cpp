// The `keys` file read once at start-up, after `config`.
#include "app/keys_file.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/context.h"
#include "app/text_error.h"
#include "game/players/bindings.h"

namespace {

constexpr std::size_t kFaultsShown = 10;  // a message box holds no more

}  // namespace

void loadKeyBindings() {
    const KeysFile file = readKeysFile(kKeysFileName);
    if (file.faults.empty()) {
        context->controls.keyBindings = file.bindings;
        return;
    }
    std::vector<KeysFault> shown(file.faults.begin(),
                                 file.faults.begin() + std::min(file.faults.size(), kFaultsShown));
    std::string& text = context->errorText;
    text = "Couldn't use the keys file! :(\n" + keysFaultList(shown, kKeysFileName);
    if (file.faults.size() > shown.size())
        text += "\n... and " + std::to_string(file.faults.size() - shown.size()) + " more";
    text += "\nMend or remove the file (quorl-config check lists the same).";
    raiseTextError(text.c_str());
}
