// remont-tool: the manual authors' command-line companion of the viewer, built on the same code.
#include <QCoreApplication>
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>

#include "toolCommon.h"
#include "util/cp1251.h"

namespace {

struct Command {
  const char* name;
  const char* usage;
  std::function<int(const tool::Args&)> run;
};

const Command kCommands[] = {
    {"pack", "pack OUT.dat DIR [--scramble EXT[,EXT...]]", tool::RunPack},
    {"list", "list FILE.dat", tool::RunList},
    {"cat", "cat SOURCE NAME", tool::RunCat},
    {"extract", "extract FILE.dat DIR", tool::RunExtract},
    {"tokens", "tokens FILE", tool::RunTokens},
    {"actions", "actions 'STRING'", tool::RunActions},
    {"dump", "dump SOURCE STRUCT [--size WxH] [--action 'ACTION']... [--key 'KEYTEXT']...  (see: help dump)",
     tool::RunDump},
    {"search", "search SOURCE QUERY [--titles LISTFILE]", tool::RunSearch},
};

int Usage() {
  std::fprintf(stderr, "usage: remont-tool COMMAND ...\n");
  for (const Command& c : kCommands) std::fprintf(stderr, "  remont-tool %s\n", c.usage);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures and fonts need a GUI application object even without a screen.
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  platform::SetDesktop(&tool::ToolDesktop());
  if (argc < 2) return Usage();
  if (std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0) {
    if (argc > 2 && std::strcmp(argv[2], "dump") == 0) {
      std::fputs(tool::kDumpHelp, stdout);
      return 0;
    }
    Usage();
    return 0;
  }
  tool::Args args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (std::strcmp(argv[1], c.name) != 0) continue;
    try {
      return c.run(args);
    } catch (const tool::ToolError& e) {
      std::fprintf(stderr, "remont-tool %s: %s\n", c.name, e.what());
    } catch (const std::exception& e) {
      // Errors raised by the viewer's own code speak 1251.
      std::fprintf(stderr, "remont-tool %s: %s\n", c.name, cp1251::ToUtf8(e.what()).c_str());
    }
    return 1;
  }
  std::fprintf(stderr, "remont-tool: unknown command '%s'\n", argv[1]);
  return Usage();
}
