// Full-text search: the scan over every page of the manual's page list, the result lines, and the
// search window. The scan needs no window, so remont-tool runs exactly the code the window runs.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "controls/skForm.h"
#include "util/uUtils.h"

class TSkStract;
class TLegHtmlParser;

// The page list: one "file#:#title" line per page.
inline constexpr const char* kPageList = "file.ind";

// One full-text scan. A page matches when one of its text runs, lower-cased and with line breaks
// and doubled blanks squeezed out, holds the lower-cased query. There is no index: each scan reads
// and tokenizes every listed page, and a page's reading ends at its first match.
class TPageScan {
 public:
  explicit TPageScan(std::string_view query);

  // Whether one text run matches: the run lower-cased, without its line breaks and with every run
  // of blanks made one (SqueezeSpaces), holds the query as a plain substring.
  bool RunMatches(std::string_view run) const;

  // Whether the page holds the query. A page the archive and the disk both lack gets the archive
  // reader's message and does not match.
  bool ScanPage(const std::string& fileName);

  // Called after each page with the pages done and the pages listed; the walk goes on while it
  // returns true.
  using TAfterPage = std::function<bool(int done, int total)>;
  // Walks the page list from its last line to its first and adds "title=file" for every matching
  // page unless an equal line, ignoring case, is already in `results`. Gives the pages read.
  int ScanAllPages(TStrings& results, const TAfterPage& afterPage = {});

 private:
  void OnPageText(TLegHtmlParser& parser, std::string_view token);

  std::string queryLower_;
  // The bytes whose lower case is the query's first byte; a match can start only at one of them.
  std::string starts_;
  bool pageMatched_ = false;
};

// Result lines, "title=file".
std::string ResultTitle(std::string_view line);
std::string ResultFile(std::string_view line);
// In the order the result list shows them: by the whole line, alphabetically, ignoring case.
void SortResults(TStrings& results);
// The file of the first line whose title equals `title` ignoring case; empty when none does.
std::string FindResultFile(const TStrings& results, std::string_view title);

class TfrmSearch : public TSkForm {
  Q_OBJECT

 public:
  TfrmSearch();
  ~TfrmSearch() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  std::unique_ptr<TSkStract> engine_;
};

extern TfrmSearch* frmSearch;
