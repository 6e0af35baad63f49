// The game's entry point. It plays with no arguments; `--help` prints how to use it, as the
// installed launcher's does, and any other argument is refused.
#include <cstdio>
#include <cstring>

#include "app/app.h"

namespace {

constexpr const char* kUsage =
    "Usage: quorl [--help]\n"
    "\n"
    "Starts Quorl, a game for two to six players on one keyboard and game controllers, in the\n"
    "current folder: it reads config (the settings) and keys (the players' keys, computer\n"
    "players and sound) there, with the images in system/ and patterns/, and writes\n"
    "errorlog.txt when something goes wrong and results at the end of each match.\n"
    "quorl-setup and quorl-config beside it edit the settings; quorl-setup --play starts the\n"
    "match and shows its result when it ends.\n"
    "\n"
    "SPACE starts a round, ESC quits. Exit status: 0, or 254 when the game cannot start.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        std::fprintf(stderr, "quorl: unknown argument '%s' (quorl --help tells how to use it)\n",
                     argv[1]);
        return 2;
    }
    return runQuorl();
}
