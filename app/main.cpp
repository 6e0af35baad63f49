// The game's entry point: it takes no arguments and hands over to the program's top.
#include "app/app.h"

int main() {
    return runQuorl();
}
