// Verbs that act on content trees.
#include "engine/skDispatch.h"

void AddTreeVerbs(TVerbTable&) {}
