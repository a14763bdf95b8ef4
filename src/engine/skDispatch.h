// The verb table of the dispatcher. Each family of controls adds the verbs that act on it from
// its own unit, so a verb lives beside the control it drives.
#pragma once

#include <string>
#include <unordered_map>

#include "commands/skCommand.h"

class TSkStract;

// What a verb sees of the command it runs.
struct TVerbCall {
  TSkStract& engine;
  const RCommand& command;
  std::string a1, a2;   // first two arguments, read with GetArg
  RHelpAction& record;  // the record being dispatched; "menu_show" may place it
};

using TVerb = void (*)(TVerbCall&);
using TVerbTable = std::unordered_map<std::string, TVerb>;

// Verbs of the HTML panes ("html_*") and of the content trees ("tree_*").
void AddHtmlVerbs(TVerbTable& table);
void AddTreeVerbs(TVerbTable& table);
