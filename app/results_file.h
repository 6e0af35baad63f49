// Writing the results of the match into the run folder when the game ends.
#pragma once

// Writes `results` in the working folder from the run's world, when at least one round was
// started; a file that cannot be written is told on standard error and let go.
void writeResults();
