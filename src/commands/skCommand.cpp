#include "skCommand.h"

#include "util/cp1251.h"

namespace {

// SplitFirst on a view: the same contract, but cutting never copies what is left, so a long
// chain of commands or arguments is read in one pass.
std::string_view CutFirst(std::string_view& rest, std::string_view separator) {
  const std::size_t p = rest.find(separator);
  if (p == std::string_view::npos) {
    const std::string_view all = rest;
    rest = {};
    return all;
  }
  const std::string_view head = rest.substr(0, p);
  rest.remove_prefix(p + separator.size());
  return head;
}

}  // namespace

TSkCommand::TSkCommand(std::string_view action) {
  const auto text = std::make_shared<const std::string>(action);
  std::string_view rest = *text;
  do {
    std::string_view command = CutFirst(rest, "//");
    const std::string_view verb = CutFirst(command, "*");
    // "////", a leading or trailing "//" and "*arg" name no verb: nothing to run.
    if (verb.empty()) continue;
    RCommand& entry = commands_.emplace_back();
    entry.Verb = cp1251::Lower(verb);
    entry.ArgText = std::string(command);
    entry.text_ = text;
    entry.rest_ = rest;
    do {
      const std::string_view arg = CutFirst(command, "*");
      if (!arg.empty()) entry.Args.emplace_back(arg);
    } while (!command.empty());
  } while (!rest.empty());
}

std::string TSkCommand::CommandText(int i) const {
  if (i < 0 || i >= Count()) return {};
  const RCommand& c = commands_[static_cast<std::size_t>(i)];
  std::string text = c.Verb;
  for (const std::string& arg : c.Args) {
    text += '*';
    text += arg;
  }
  return text;
}
