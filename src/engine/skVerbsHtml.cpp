// Verbs that act on HTML panes.
#include "engine/skDispatch.h"

void AddHtmlVerbs(TVerbTable&) {}
