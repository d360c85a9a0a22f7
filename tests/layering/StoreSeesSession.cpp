// Compiled with the store library's include folders only: a session header must not be reachable.
#include "session/Output.h"
