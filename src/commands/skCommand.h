// Action strings: what every button, menu entry, hot key, link and movie hands to a dispatcher.
// "verb*arg*arg//verb*arg": commands cut at "//", each a verb and arguments cut at "*". No quoting,
// no escapes, no trimming; the parser knows no verbs. Text is 1251.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "util/uUtils.h"

// One parsed command.
struct RCommand {
  std::string Verb;     // lower-cased, Cyrillic too, so verbs compare exactly afterwards
  std::string ArgText;  // everything after the first "*", as written: empty and inner arguments kept
  TStrings Args;        // the non-empty arguments, in order; read them with GetArg

  // Everything after this command's "//", skipped commands included; empty for the last command.
  // An owner that does not know a verb runs this text on another engine.
  std::string_view Rest() const { return rest_; }

 private:
  friend class TSkCommand;
  // Every entry of one parse shares the text: copying it into each entry would cost the square
  // of the string's length for a long chain of commands.
  std::shared_ptr<const std::string> text_;
  std::string_view rest_;
};

class TSkCommand {
 public:
  explicit TSkCommand(std::string_view action);

  int Count() const { return static_cast<int>(commands_.size()); }
  const std::vector<RCommand>& Commands() const { return commands_; }

  // Command i rebuilt from its parts: lower-cased verb, then "*" and each non-empty argument.
  // Empty for an i that names no command.
  std::string CommandText(int i) const;

 private:
  std::vector<RCommand> commands_;
};

// An action on its way from the control that fired it to a dispatcher. The numbers place a menu
// that a button pops up right under that button; everything else leaves them 0.
struct RHelpAction {
  std::string Action;
  std::int32_t Height = 0;  // the firing button's height
  std::int32_t X = 0;       // screen position of the firing button's client origin
  std::int32_t Y = 0;
};
