// Whether a scene that follows the rules can also be won: warnings, not refusals, since a
// designer may mean a scene to be hard in ways no check foresees. They look at the scene as the
// game will play it: the worm wraps round the edges of the field, stones block it, its own body
// is left out (it moves), and the start and exit are the ones the game keeps (the last in file
// order).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/scene.h"

// The most points the beans on the field can bring when none fall from the sky, counted as the
// game scores: 5 a bean, 5 more while fast (after a red run), 10 more in the rain (after a blue
// run), 30 for each bonus bean the laser (an orange run) makes. -1 when there is no bound: beans
// fall from the sky, or a green run can revive stones into beans of any colour.
std::int64_t goalScoreBound(const Scene& scene);

// The warnings for a scene that passes validateScene, each a sentence: an exit the worm cannot
// reach, Eat-up beans it cannot reach, a goal score above the bound, a start boxed in by stones
// within two cells in every direction. Empty for a scene without a start.
std::vector<std::string> playWarnings(const Scene& scene);
