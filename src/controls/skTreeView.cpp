#include "controls/skTreeView.h"

#include <QBitmap>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "archive/gPack.h"
#include "controls/skListBox.h"
#include "controls/skPanel.h"
#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "engine/skValues.h"
#include "platform/pfDesktop.h"
#include "util/cp1251.h"

namespace {

// An entry knows the record of the line that made it.
class TTreeEntry : public QTreeWidgetItem {
 public:
  TTreeEntry() : QTreeWidgetItem(UserType) {}
  TTreeRecord* record = nullptr;
};

// Keys are file names: compared blind to the case of Latin letters only, as the archive does.
std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool SameAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

bool IsIndent(char c) {
  return c == ' ' || c == '\t';
}

// Draws the entry under the mouse underlined and red.
class THotDelegate : public QStyledItemDelegate {
 public:
  explicit THotDelegate(TSkTree* tree) : QStyledItemDelegate(tree), tree_(tree) {}

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!tree_->IsHot(index)) return;
    option->font.setUnderline(true);
    const QColor red = ToQColor(255);
    option->palette.setColor(QPalette::Text, red);
    option->palette.setColor(QPalette::HighlightedText, red);
  }

 private:
  TSkTree* tree_;
};

}  // namespace

TTreeLine ParseTreeLine(const std::string& line) {
  TTreeLine out;
  std::size_t i = 0;
  while (i < line.size() && IsIndent(line[i])) ++i;
  out.Depth = static_cast<int>(i);
  std::string rest = line.substr(i);
  out.Caption = SplitFirst(rest, ";");
  out.Key = Trim(SplitFirst(rest, ";"));
  out.Picture = Trim(rest);
  return out;
}

TSkTree::TSkTree(QWidget* parent) : QTreeWidget(parent), TSkControl(this) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setExpandsOnDoubleClick(false);
  setUniformRowHeights(true);
  setIconSize(QSize(16, 16));
  setFrameShape(QFrame::NoFrame);
  setMouseTracking(true);
  setItemDelegate(new THotDelegate(this));
  SetSelectColor(FromQColor(palette().color(QPalette::Active, QPalette::Highlight)));
  connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { RecordHistory(); });
  connect(this, &QTreeWidget::itemClicked, this, [this] { FireClick(); });
  // What is "next" depends on which entries are open.
  connect(this, &QTreeWidget::itemExpanded, this, [this] { UpdateNavButtons(); });
  connect(this, &QTreeWidget::itemCollapsed, this, [this] { UpdateNavButtons(); });
}

TSkTree::~TSkTree() {
  // Freeing the items below changes the selection; nothing may answer that any more.
  disconnect(this, nullptr, this, nullptr);
  OnClick = nullptr;
  OnKeyDown = nullptr;
  clear();
}

bool TSkTree::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  if (key == "load") {
    LoadTree(value);
  } else if (key == "bordur") {
    setFrameShape(StrToBoolDef(value, true) ? QFrame::Box : QFrame::NoFrame);
    setLineWidth(1);
  } else if (key == "open_block") {
    SetOpenBlock(StrToBoolDef(value, false));
  } else if (key == "link_html") {
    TSkControl* pane = engine.GetComponent(value, TControlType::Html);
    linkedHtml_ = pane ? pane->Widget() : nullptr;
    if (auto* html = dynamic_cast<TSkHtml*>(pane)) html->SetLinkedTree(this);
  } else if (key == "color_select") {
    SetSelectColor(ParseColor(value));
    selectColorSet_ = true;
  } else if (key == "but_next") {
    SetNextButton(engine.GetComponent(value, TControlType::SpButton));
  } else if (key == "but_prev") {
    SetPrevButton(engine.GetComponent(value, TControlType::SpButton));
  } else {
    return ApplySharedKey(engine, this, key, value,
                          skAnchor | skAction | skSizeLimits | skColor | skFont | skSkin);
  }
  return true;
}

void TSkTree::Dump(TDumpFields& out) const {
  out.emplace_back("count", IntToStr(static_cast<long long>(records_.size())));
  out.emplace_back("selected", SelectedKey());
  out.emplace_back("historypos", IntToStr(historyPos_));
  TStrings newestFirst(historyActions_.rbegin(), historyActions_.rend());
  out.emplace_back("history", JoinTexts(newestFirst, "|"));
  if (openBlock_) out.emplace_back("open_block", "1");
  if (selectColorSet_) out.emplace_back("color_select", ColorText(selectColor_));
  if (!pictures_.empty()) out.emplace_back("pictures", IntToStr(static_cast<long long>(pictures_.size())));
}

std::optional<std::string> TSkTree::ClickedAction() const {
  const std::string key = SelectedKey();
  if (key.empty()) return std::nullopt;
  return InsertValue(Action, key, true);
}

// --- content ---

void TSkTree::LoadTree(const std::string& file) {
  const TStrings lines = LoadListFile(file);
  LoadLines(lines);
  listFile_ = file;
}

void TSkTree::LoadLines(const TStrings& lines) {
  ClearTree();
  // path[n] is the entry of level n on the way down to the entry the previous line made.
  std::vector<QTreeWidgetItem*> path;
  QList<QTreeWidgetItem*> tops;
  records_.reserve(lines.size());
  for (const std::string& line : lines) {
    // A line of nothing but indentation names nothing; it must not become a nameless entry.
    if (std::all_of(line.begin(), line.end(), IsIndent)) continue;
    const TTreeLine parsed = ParseTreeLine(line);
    // A line indented deeper than one step below the previous entry is taken as its child: the
    // reader sees every line of the list, and no entry loses its own page to a later line.
    const int level = std::min(parsed.Depth, static_cast<int>(path.size()));
    auto* entry = new TTreeEntry;
    entry->setText(0, cp1251::ToQString(parsed.Caption));
    if (level == 0)
      tops.append(entry);
    else
      path[static_cast<std::size_t>(level - 1)]->addChild(entry);
    path.resize(static_cast<std::size_t>(level));
    path.push_back(entry);
    auto record = std::make_unique<TTreeRecord>(TTreeRecord{parsed.Key, entry});
    AttachRecord(entry, record.get());
    if (!parsed.Picture.empty()) {
      const int index = PictureIndex(parsed.Picture);
      if (index >= 0) entry->setIcon(0, pictures_[static_cast<std::size_t>(index)]);
    }
    keyIndex_.try_emplace(AsciiLower(parsed.Key), entry);
    records_.push_back(std::move(record));
  }
  // Items put together before they join the view cost no view updates each.
  addTopLevelItems(tops);
  if (openBlock_) SetOpenBlock(true);
}

void TSkTree::ClearTree() {
  const bool wasRecording = recording_;
  recording_ = false;  // entries leaving is nobody's choice of a page
  hot_ = QPersistentModelIndex();
  clear();
  recording_ = wasRecording;
  records_.clear();
  keyIndex_.clear();
}

int TSkTree::PictureIndex(const std::string& name) {
  const std::string trimmed = Trim(name);
  const std::string lookup = cp1251::Lower(trimmed);
  if (const auto found = pictureIndexes_.find(lookup); found != pictureIndexes_.end()) return found->second;
  int index = -1;
  if (!trimmed.empty()) {
    try {
      const QImage image = LoadPackBitmap(trimmed);
      if (!image.isNull()) {
        QPixmap pixmap = QPixmap::fromImage(image);
        // The picture is its own mask: its white background is not drawn.
        pixmap.setMask(pixmap.createMaskFromColor(Qt::white));
        pictures_.emplace_back(pixmap);
        index = static_cast<int>(pictures_.size()) - 1;
      }
    } catch (const EPictureError& e) {
      // A missing file was already reported by the archive; a damaged one is reported here.
      if (PackFileExists(trimmed)) platform::ShowMessage(e.what(), platform::MessageKind::Error);
    }
  }
  // A name that failed is remembered too: a list naming it on every line reports it once.
  pictureIndexes_.emplace(lookup, index);
  return index;
}

int TSkTree::EntryPicture(QTreeWidgetItem* entry) const {
  if (!entry) return -1;
  const QIcon icon = entry->icon(0);
  if (icon.isNull()) return -1;
  for (std::size_t i = 0; i < pictures_.size(); ++i)
    if (pictures_[i].cacheKey() == icon.cacheKey()) return static_cast<int>(i);
  return -1;
}

void TSkTree::AttachRecord(QTreeWidgetItem* entry, TTreeRecord* record) {
  static_cast<TTreeEntry*>(entry)->record = record;
}

TTreeRecord* TSkTree::RecordOf(QTreeWidgetItem* entry) const {
  if (!entry || entry->type() != QTreeWidgetItem::UserType) return nullptr;
  return static_cast<TTreeEntry*>(entry)->record;
}

// --- selection ---

QTreeWidgetItem* TSkTree::Selected() const {
  // The view may make an entry current without selecting it (on gaining the focus); only a
  // selected entry counts.
  QTreeWidgetItem* current = currentItem();
  return current && current->isSelected() ? current : nullptr;
}

std::string TSkTree::KeyOf(QTreeWidgetItem* entry) const {
  const TTreeRecord* record = RecordOf(entry);
  return record ? record->Key : std::string();
}

std::string TSkTree::SelectedKey() const {
  return KeyOf(Selected());
}

QTreeWidgetItem* TSkTree::FindNode(const std::string& key) const {
  const auto found = keyIndex_.find(AsciiLower(key));
  return found == keyIndex_.end() ? nullptr : found->second;
}

QTreeWidgetItem* TSkTree::FindNodeByAction(const std::string& action) const {
  for (const auto& record : records_)
    if (!record->Key.empty() && SameAscii(HistoryFormOf(record->Key), action)) return record->Entry;
  return nullptr;
}

void TSkTree::SelectEntry(QTreeWidgetItem* entry) {
  if (!entry) {
    clearSelection();
    setCurrentItem(nullptr);
    return;
  }
  for (QTreeWidgetItem* up = entry->parent(); up; up = up->parent()) up->setExpanded(true);
  setCurrentItem(entry);
  if (!entry->isSelected()) entry->setSelected(true);
  scrollToItem(entry);
}

void TSkTree::SyncTo(const std::string& key) {
  if (Selected() && SameAscii(key, SelectedKey())) return;
  SelectEntry(FindNode(key));
}

void TSkTree::SelectNext() {
  QTreeWidgetItem* selected = Selected();
  QTreeWidgetItem* next = selected ? itemBelow(selected) : nullptr;
  if (!next) return;
  SelectEntry(next);
  FireClick();
}

void TSkTree::SelectPrev() {
  QTreeWidgetItem* selected = Selected();
  QTreeWidgetItem* previous = selected ? itemAbove(selected) : nullptr;
  if (!previous) return;
  SelectEntry(previous);
  FireClick();
}

// --- history ---

std::string TSkTree::HistoryAction() const {
  const std::string key = SelectedKey();
  if (key.empty()) return {};
  return HistoryFormOf(key);
}

std::string TSkTree::HistoryFormOf(const std::string& key) const {
  // The key is appended as the click does: a template without "insert" would otherwise give every
  // entry the same history action, and going back would always land on the first entry.
  return InsertValue(Action, key, true);
}

std::string TSkTree::HistoryActionAt(int n) const {
  if (n < 0 || n >= HistoryCount()) return {};
  return historyActions_[historyActions_.size() - 1 - static_cast<std::size_t>(n)];
}

void TSkTree::RecordHistory() {
  if (recording_) {
    historyPos_ = 0;
    const std::string action = HistoryAction();
    if (!action.empty()) {
      historyActions_.push_back(action);
      historyCaptions_.insert(historyCaptions_.begin(), cp1251::FromQString(Selected()->text(0)));
      if (HistoryCount() > kHistoryMax) {
        historyActions_.erase(historyActions_.begin());
        historyCaptions_.pop_back();
      }
    }
  }
  UpdateNavButtons();
}

void TSkTree::GoHistory(int n) {
  if (topLevelItemCount() == 0 || n < 0 || n >= HistoryCount()) return;
  recording_ = false;
  historyPos_ = n;
  QTreeWidgetItem* entry = FindNodeByAction(HistoryActionAt(n));
  if (!entry) {
    recording_ = true;
    return;
  }
  SelectEntry(entry);
  recording_ = true;
  FireClick();  // last: the action it runs may close the window and this tree with it
}

// --- look and navigation ---

void TSkTree::SetOpenBlock(bool on) {
  openBlock_ = on;
  setUpdatesEnabled(false);
  if (on) expandAll();
  setRootIsDecorated(!on);
  setUpdatesEnabled(true);
}

void TSkTree::ExpandAllEntries() {
  setUpdatesEnabled(false);
  expandAll();
  setUpdatesEnabled(true);
  if (QTreeWidgetItem* selected = Selected()) scrollToItem(selected);
}

void TSkTree::CollapseAllEntries() {
  setUpdatesEnabled(false);
  collapseAll();
  setUpdatesEnabled(true);
}

void TSkTree::ShowOrHide() {
  ShowOrHideInPlace(this, SavedLeft, SavedTop);
}

void TSkTree::SetSelectColor(TColor color) {
  selectColor_ = color;
  // The same colour whether or not the tree has the focus: the selection stays visible.
  QPalette p = palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    p.setColor(group, QPalette::Highlight, ToQColor(color));
  setPalette(p);
}

QTreeWidgetItem* TSkTree::HotEntry() const {
  return hot_.isValid() ? itemFromIndex(hot_) : nullptr;
}

bool TSkTree::IsHot(const QModelIndex& index) const {
  return hot_.isValid() && index.isValid() && index.siblingAtColumn(0) == QModelIndex(hot_);
}

void TSkTree::SetHot(QTreeWidgetItem* entry) {
  const QModelIndex index = entry ? indexFromItem(entry) : QModelIndex();
  if (index == QModelIndex(hot_)) return;
  hot_ = index;
  viewport()->update();
}

void TSkTree::SetNextButton(TSkControl* button) {
  nextButton_ = button ? button->Widget() : nullptr;
  UpdateNavButtons();
}

void TSkTree::SetPrevButton(TSkControl* button) {
  prevButton_ = button ? button->Widget() : nullptr;
  UpdateNavButtons();
}

void TSkTree::UpdateNavButtons() {
  QTreeWidgetItem* selected = Selected();
  if (!selected) return;
  if (TSkControl* next = NextButton()) next->Widget()->setEnabled(itemBelow(selected) != nullptr);
  if (TSkControl* previous = PrevButton()) previous->Widget()->setEnabled(itemAbove(selected) != nullptr);
}

void TSkTree::SearchTitles(const std::string& text, TStrings& results) const {
  // An empty query would match every entry; it finds nothing instead.
  if (text.empty()) return;
  const std::string query = cp1251::Lower(text);
  for (const auto& record : records_) {
    const std::string caption = cp1251::FromQString(record->Entry->text(0));
    if (cp1251::Lower(caption).find(query) != std::string::npos)
      results.push_back(caption + "=" + record->Key);
  }
}

// --- user events ---

void TSkTree::mouseDoubleClickEvent(QMouseEvent* event) {
  // Only opens or closes the selected entry, one level: the click before it already ran its
  // action.
  event->accept();
  QTreeWidgetItem* selected = Selected();
  if (!selected) return;
  setUpdatesEnabled(false);
  selected->setExpanded(!selected->isExpanded());
  setUpdatesEnabled(true);
}

void TSkTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
  if (!openBlock_) {
    QTreeWidget::drawBranches(painter, rect, index);
    return;
  }
  // An open block shows no expand buttons; the selected row's colour still reaches its left end.
  if (selectionModel()->isSelected(index)) painter->fillRect(rect, palette().brush(QPalette::Highlight));
}

void TSkTree::mouseMoveEvent(QMouseEvent* event) {
  SetHot(itemAt(event->position().toPoint()));
  QTreeWidget::mouseMoveEvent(event);
}

bool TSkTree::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) SetHot(nullptr);
  return QTreeWidget::viewportEvent(event);
}

void TSkTree::keyReleaseEvent(QKeyEvent* event) {
  QTreeWidget::keyReleaseEvent(event);
  // A held key repeats its presses, not its release: the entry reached opens once.
  if (!event->isAutoRepeat()) FireClick();
}
