// Compiled with the gametext library's include folders only: a session header must not be reachable.
#include "session/LinkState.h"
