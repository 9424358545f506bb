#pragma once

// Creates the one prototype of every growth stage and body state, in the game's start-up
// order; each prints its registered name. A signal from a constructor is reported on standard
// output by its type name and ends the creation there. The prototypes live until the process ends.
void CreateStatePrototypes();
