// remont-tool actions 'STRING': how the viewer reads an action string, one field per line, so an
// author can see which commands, arguments and rests a button or link will run.
#include "commands/skCommand.h"
#include "toolCommon.h"
#include "util/cp1251.h"

namespace tool {

namespace {

void Field(const char* name, std::string_view value) {
  WriteLine(std::string(name) + '\t' + cp1251::ToUtf8(Escape(std::string(value))));
}

}  // namespace

int RunActions(const Args& args) {
  if (args.size() != 1) throw ToolError("expects one action string");
  const TSkCommand commands(To1251(args[0], "action string"));
  for (int i = 0; i < commands.Count(); ++i) {
    const RCommand& c = commands.Commands()[static_cast<std::size_t>(i)];
    Field("command", c.Verb);
    for (const std::string& arg : c.Args) Field("arg", arg);
    Field("argtext", c.ArgText);
    Field("rest", c.Rest());
    Field("text", commands.CommandText(i));
  }
  return 0;
}

}  // namespace tool
