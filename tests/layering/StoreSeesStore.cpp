// Compiled with the store library's include folders only: its own headers are reachable.
#include "store/Reg.h"
