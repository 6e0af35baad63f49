// Notes for errorlog.txt about a game that plays on with less: without sound, or in a window
// of fixed size.
#pragma once

#include <string>

// Writes one line to errorlog.txt: the run's first note starts the file anew, later ones are
// added to it. A log that cannot be written is let go: the game plays on either way.
void noteInErrorLog(const std::string& line);
