#include "app/uSearch.h"

#include <QCoreApplication>
#include <QPointer>
#include <QShowEvent>
#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

#include "app/uMain.h"
#include "archive/gPack.h"
#include "controls/skButton.h"
#include "controls/skEditBox.h"
#include "controls/skLabel.h"
#include "controls/skListBox.h"
#include "controls/skParPanel.h"
#include "controls/skProgressBar.h"
#include "controls/skRButton.h"
#include "controls/skTreeView.h"
#include "engine/skUseStract.h"
#include "html/skHTML.h"
#include "platform/pfDesktop.h"
#include "tokenizer/hpReg.h"
#include "util/cp1251.h"

// --- the scan ---

TPageScan::TPageScan(std::string_view query) : queryLower_(cp1251::Lower(query)) {
  if (queryLower_.empty()) return;
  for (int b = 0; b < 256; ++b)
    if (cp1251::LowerChar(static_cast<unsigned char>(b)) == static_cast<unsigned char>(queryLower_[0]))
      starts_.push_back(static_cast<char>(b));
}

namespace {

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// Whether SqueezeSpaces keeps the byte at `at`: every byte but line breaks and the blanks whose
// nearest earlier byte that is not a line break is a blank too.
bool Kept(std::string_view run, std::size_t at) {
  if (IsLineBreak(run[at])) return false;
  if (run[at] != ' ') return true;
  while (at > 0 && IsLineBreak(run[at - 1])) --at;
  return at == 0 || run[at - 1] != ' ';
}

}  // namespace

bool TPageScan::RunMatches(std::string_view run) const {
  // Folding a copy of every run cost the scan more than tokenizing did. The run is read as it is
  // instead: a match can only start at a byte that folds to the query's first one, so those are
  // found with memchr, and from each the query is compared while skipping what squeezing drops.
  const std::string_view query = queryLower_;
  // An empty query has no start bytes: nothing is looked for in it, as in the title search.
  const std::size_t n = starts_.size();  // two for a letter, one for anything else
  if (n == 0) return false;
  // The next place of each start byte; the nearest is tried, then that byte is looked for again.
  std::array<std::size_t, 256> next;
  const auto find = [&run](char c, std::size_t from) {
    const void* p = from < run.size() ? std::memchr(run.data() + from, c, run.size() - from) : nullptr;
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - run.data()) : run.size();
  };
  for (std::size_t k = 0; k < n; ++k) next[k] = find(starts_[k], 0);
  while (true) {
    std::size_t which = 0;
    for (std::size_t k = 1; k < n; ++k)
      if (next[k] < next[which]) which = k;
    const std::size_t at = next[which];
    if (at >= run.size()) return false;
    if (Kept(run, at)) {
      std::size_t q = 1;
      char previous = run[at];  // nearest earlier byte that is not a line break
      std::size_t i = at + 1;
      for (; q < query.size() && i < run.size(); ++i) {
        const char c = run[i];
        if (IsLineBreak(c)) continue;
        const bool dropped = c == ' ' && previous == ' ';
        previous = c;
        if (dropped) continue;
        if (static_cast<char>(cp1251::LowerChar(static_cast<unsigned char>(c))) != query[q]) break;
        ++q;
      }
      if (q == query.size()) return true;
      // The run ran out: a later start has even less of it left.
      if (i >= run.size()) return false;
    }
    next[which] = find(starts_[which], at + 1);
  }
}

bool TPageScan::ScanPage(const std::string& fileName) {
  pageMatched_ = false;
  TLegHtmlParser parser;
  parser.OnText = [this](TLegHtmlParser& sender, std::string_view token) { OnPageText(sender, token); };
  std::string page;
  LoadPackFile(page, fileName);
  parser.SetText(std::move(page));
  parser.Execute();
  return pageMatched_;
}

void TPageScan::OnPageText(TLegHtmlParser& parser, std::string_view token) {
  if (RunMatches(token)) {
    pageMatched_ = true;
    parser.StopParse();
  }
}

int TPageScan::ScanAllPages(TStrings& results, const TAfterPage& afterPage) {
  const TStrings lines = LoadListFile(kPageList);
  const int total = static_cast<int>(lines.size());
  // Equal lines are found by their folded text; a scan can add thousands of results.
  std::unordered_set<std::string> known;
  for (const std::string& line : results) known.insert(cp1251::Lower(line));
  int done = 0;
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    std::string title = *line;
    const std::string file = SplitFirst(title, "#:#");
    if (ScanPage(file)) {
      std::string result = title + "=" + file;
      if (known.insert(cp1251::Lower(result)).second) results.push_back(std::move(result));
    }
    ++done;
    if (afterPage && !afterPage(done, total)) break;
  }
  return done;
}

std::string ResultTitle(std::string_view line) {
  return std::string(line.substr(0, line.find('=')));
}

std::string ResultFile(std::string_view line) {
  const std::size_t p = line.find('=');
  return p == std::string_view::npos ? std::string() : std::string(line.substr(p + 1));
}

void SortResults(TStrings& results) {
  std::stable_sort(results.begin(), results.end(),
                   [](const std::string& a, const std::string& b) { return cp1251::CompareText(a, b) < 0; });
}

std::string FindResultFile(const TStrings& results, std::string_view title) {
  for (const std::string& line : results)
    if (cp1251::SameText(ResultTitle(line), title)) return ResultFile(line);
  return {};
}

// --- the search window ---

TfrmSearch* frmSearch = nullptr;

TfrmSearch::TfrmSearch() {
  frmSearch = this;
  setObjectName("frmSearch");
  SetCaption(cp1251::FromUtf8("Поиск"));
  resize(367, 342);
  FormCreate();
}

TfrmSearch::~TfrmSearch() {
  if (frmMain && frmMain->SearchEngine == engine_.get()) frmMain->SearchEngine = nullptr;
  engine_.reset();
  if (frmSearch == this) frmSearch = nullptr;
}

void TfrmSearch::FormCreate() {
  engine_ = std::make_unique<TSkStract>(this, "struct_search.txt");
  GuardedCall([this] { engine_->LoadStructure(); });
  engine_->ShowPage();
  if (!frmMain) return;
  frmMain->SearchEngine = engine_.get();
  engine_->OnCommand = [](const RHelpAction& action) {
    if (frmMain) frmMain->SearchAction(action);
  };
  TSkListBox* list = engine_->Get<TSkListBox>("list_rez", TControlType::ListBox);
  if (!list) return;
  // A click opens the result; the double click that follows it only closes the window.
  connect(list, &QListWidget::itemClicked, this, [] {
    if (frmMain) frmMain->OpenResult();
  });
  list->DoubleClickEnabled = true;
  list->OnClick = [this](TSkControl*) { close(); };
}

void TfrmSearch::showEvent(QShowEvent* event) {
  TSkForm::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmSearch::FormShow() {
  if (!frmMain) return;
  if (!frmMain->SearchResults.empty())
    frmMain->ShowResults();
  else
    frmMain->ShowResultsPanel(false);
}

// --- the main window's search handlers ---

namespace {

template <class T>
T* SearchControl(TSkStract* engine, const char* name, TControlType type) {
  return engine ? engine->Get<T>(name, type) : nullptr;
}

}  // namespace

void TfrmMain::SearchAction(const RHelpAction& action) {
  if (!AcceptVerb(action, "find_slovo")) return;
  TSkStract* engine = SearchEngine;
  auto* button = SearchControl<TSkButton>(engine, "but_find", TControlType::Button);
  if (Searching) {
    // Entered again from the scan's event processing: this is the Stop button.
    Searching = false;
    if (button) button->SetCaption(cp1251::FromUtf8("Искать"));
    EnableScopes(true);
    return;
  }
  auto* status = SearchControl<TSkLabel>(engine, "label_status", TControlType::Label);
  auto* edit = SearchControl<TSkEditBox>(engine, "edit_find", TControlType::EditBox);
  if (status) status->SetCaption("");
  if (!edit) return;
  edit->setFocus();
  const std::string query = cp1251::FromQString(edit->text());
  if (query.empty()) {
    if (status) status->SetCaption(cp1251::FromUtf8("Введите текст"));
    return;
  }
  EnableScopes(false);
  Searching = true;
  SearchResults.clear();
  QueryText = query;

  const auto checked = [engine](const char* name) {
    auto* radio = SearchControl<TSkRadioButton>(engine, name, TControlType::RButton);
    return radio && radio->isChecked();
  };
  // The window can go while the scan lets events run; everything below is looked up again.
  QPointer<TSkButton> stopButton = button;
  const bool currentPage = checked("radio_curent");
  if (checked("radio_all")) {
    if (stopButton) stopButton->SetCaption(cp1251::FromUtf8("Стоп"));
    ScanAllPages(query);
    if (stopButton) stopButton->SetCaption(cp1251::FromUtf8("Искать"));
  } else if (checked("radio_chap")) {
    if (auto* tree = SearchControl<TSkTree>(reading_.get(), "tree", TControlType::Tree))
      tree->SearchTitles(query, SearchResults);
  } else if (currentPage) {
    ShowResultsPanel(false);
    auto* html = SearchControl<TSkHtml>(reading_.get(), "html_see", TControlType::Html);
    if (html && !html->FindText(query) && status) status->SetCaption(cp1251::FromUtf8("Текст не найден"));
  }
  if (!currentPage) ShowResults();
  EnableScopes(true);
  Searching = false;
}

void TfrmMain::EnableScopes(bool enabled) {
  for (const char* name : {"radio_all", "radio_chap", "radio_curent"})
    if (auto* radio = SearchControl<TSkRadioButton>(SearchEngine, name, TControlType::RButton))
      radio->setEnabled(enabled);
}

void TfrmMain::ScanAllPages(const std::string& query) {
  QPointer<TSkProgressBar> bar =
      SearchControl<TSkProgressBar>(SearchEngine, "progress", TControlType::ProgressBar);
  TPageScan scan(query);
  scan.ScanAllPages(SearchResults, [this, &bar](int done, int total) {
    if (bar) {
      if (bar->maximum() != total) bar->setRange(0, total);
      bar->setValue(done);  // lets pending events run, the Stop button's among them
    } else {
      QCoreApplication::processEvents();
    }
    return Searching;
  });
  if (bar) bar->setValue(0);
  ShowResults();
}

void TfrmMain::ShowResults() {
  auto* status = SearchControl<TSkLabel>(SearchEngine, "label_status", TControlType::Label);
  if (SearchResults.empty()) {
    if (status) status->SetCaption(cp1251::FromUtf8("Текст не найден"));
    ShowResultsPanel(false);
    return;
  }
  if (status) status->SetCaption("");
  SortResults(SearchResults);
  if (auto* list = SearchControl<TSkListBox>(SearchEngine, "list_rez", TControlType::ListBox)) {
    list->ClearItems();
    for (const std::string& line : SearchResults) list->AddItem(ResultTitle(line), "");
  }
  ShowResultsPanel(true);
}

void TfrmMain::ShowResultsPanel(bool show) {
  // A scan that ends under a closing main window must not bring the search window back.
  if (!frmSearch || closed_) return;
  TSkForm* window = frmSearch;
  // The panel's height is known only once the window has been laid out, so a window never shown
  // is shown first; its show event comes back here and settles the panel.
  if (!window->isVisible()) window->show();
  auto* panel = SearchControl<TParentPanel>(SearchEngine, "panel_results", TControlType::ParentPanel);
  if (!panel) return;
  if (show) {
    window->SetResizeByBorder(true);
    if (panel->isHidden()) window->resize(window->width(), window->height() + SavedPanelHeight);
  } else if (!panel->isHidden()) {
    SavedPanelHeight = panel->height();
    window->resize(window->width(), window->height() - SavedPanelHeight);
    window->SetResizeByBorder(false);
  }
  panel->setVisible(show);
  window->update();
}

void TfrmMain::OpenResult() {
  auto* list = SearchControl<TSkListBox>(SearchEngine, "list_rez", TControlType::ListBox);
  if (!list || !list->currentItem() || !list->currentItem()->isSelected()) return;
  const std::string file = FindResultFile(SearchResults, cp1251::FromQString(list->currentItem()->text()));
  auto* html = SearchControl<TSkHtml>(reading_.get(), "html_see", TControlType::Html);
  if (file.empty() || !html) return;
  GuardedCall([&] {
    html->LoadPage(file);
    html->FindText(QueryText);
    html->SyncTree(file);
  });
}

void TfrmMain::GoFind() {
  ShowResultsPanel(!SearchResults.empty());
  if (!SearchEngine) return;
  SearchEngine->ShowPage();
  if (frmSearch) {
    frmSearch->raise();
    frmSearch->activateWindow();
  }
  if (auto* edit = SearchControl<TSkEditBox>(SearchEngine, "edit_find", TControlType::EditBox))
    edit->setFocus();
}
