// search: the viewer's full-text scan (or the contents tree's title search) from the command line,
// with the results in the order the search window lists them.
#include "app/uSearch.h"
#include "archive/gPack.h"
#include "controls/skTreeView.h"
#include "toolCommon.h"
#include "util/cp1251.h"

namespace tool {

int RunSearch(const Args& args) {
  std::string source;
  std::string query;
  std::string titles;
  int plain = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--titles" && i + 1 < args.size()) {
      titles = To1251(args[++i], "list file name");
    } else if (plain == 0) {
      source = args[i];
      ++plain;
    } else if (plain == 1) {
      query = To1251(args[i], "query");
      ++plain;
    } else {
      plain = -1;
      break;
    }
  }
  if (plain != 2) throw ToolError("usage: search SOURCE QUERY [--titles LISTFILE]");
  if (query.empty()) throw ToolError(cp1251::ToUtf8(cp1251::FromUtf8("Введите текст")));
  EnterManual(source);

  TStrings results;
  if (titles.empty()) {
    // The viewer would only say that nothing was found; an author is told why.
    if (!PackFileExists(kPageList)) throw ToolError(std::string("no ") + kPageList + " in " + source);
    TPageScan(query).ScanAllPages(results);
  } else {
    if (!PackFileExists(titles)) throw ToolError("no " + cp1251::ToUtf8(titles) + " in " + source);
    TSkTree tree(nullptr);
    tree.LoadTree(titles);
    tree.SearchTitles(query, results);
  }
  SortResults(results);
  std::string out;
  for (const std::string& line : results) out += cp1251::ToUtf8(line) + "\n";
  WriteRaw(out);
  return 0;
}

}  // namespace tool
