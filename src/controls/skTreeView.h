// The "tree" control: the manual's table of contents, filled from a list file in which leading
// tabs and blanks give the depth. A click (or a key released on it) runs the tree's action with
// the selected entry's key put in; the tree keeps a history of the last entries opened and keeps a
// pair of next/previous buttons enabled only where there is somewhere to go.
#pragma once

#include <QPointer>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QTreeWidget>
#include <optional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/skControl.h"
#include "html/skHTML.h"
#include "util/uUtils.h"

// One line of the list file that made (or, when it was too deep, joined) an entry.
struct TTreeRecord {
  std::string Key;
  QTreeWidgetItem* Entry = nullptr;
};

// One line of a list file, cut into its parts.
struct TTreeLine {
  int Depth = 0;
  std::string Caption;
  std::string Key;
  std::string Picture;
};
TTreeLine ParseTreeLine(const std::string& line);

class TSkTree : public QTreeWidget, public TSkControl, public TTreeSync {
  Q_OBJECT

 public:
  static constexpr int kHistoryMax = 20;

  explicit TSkTree(QWidget* parent);
  ~TSkTree() override;

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;
  std::optional<std::string> ClickedAction() const override;

  // --- content ---
  void LoadTree(const std::string& file);
  // The same from lines already read (the list file's lines, in the manual's 1251).
  void LoadLines(const TStrings& lines);
  void ClearTree();
  const std::string& ListFile() const { return listFile_; }
  const std::vector<std::unique_ptr<TTreeRecord>>& Records() const { return records_; }
  // Image index of a picture of the manual, loading it the first time its name is asked for;
  // -1 when it cannot be loaded.
  int PictureIndex(const std::string& name);
  int PictureCount() const { return static_cast<int>(pictures_.size()); }
  int EntryPicture(QTreeWidgetItem* entry) const;

  // --- selection ---
  QTreeWidgetItem* Selected() const;
  std::string SelectedKey() const;
  std::string KeyOf(QTreeWidgetItem* entry) const;
  // The entry of the first record whose key equals `key` (ASCII letters compared blind to case).
  QTreeWidgetItem* FindNode(const std::string& key) const;
  QTreeWidgetItem* FindNodeByAction(const std::string& action) const;
  // Selects `entry` (none clears the selection) and brings it into view; no action runs.
  void SelectEntry(QTreeWidgetItem* entry);
  // Follows a page shown elsewhere: selects the entry of `key`, or nothing when no entry has it.
  // No action runs; the change is recorded in the history like any other.
  void SyncTo(const std::string& key);
  void SelectByKey(const std::string& key) override { SyncTo(key); }
  void SelectNext();
  void SelectPrev();

  // --- history ---
  // The selected entry's action as the history and the favorites keep it; empty without a key.
  std::string HistoryAction() const;
  std::string HistoryFormOf(const std::string& key) const;
  std::string HistoryActionAt(int n) const;
  int HistoryCount() const { return static_cast<int>(historyActions_.size()); }
  int HistoryPos() const { return historyPos_; }
  const TStrings& HistoryCaptions() const { return historyCaptions_; }  // newest first
  const TStrings& HistoryActions() const { return historyActions_; }    // oldest first
  void GoHistory(int n);

  // --- look and navigation ---
  bool OpenBlock() const { return openBlock_; }
  void SetOpenBlock(bool on);
  // Every entry opened (the selected one brought into view) or closed, drawn once at the end.
  void ExpandAllEntries();
  void CollapseAllEntries();
  void ShowOrHide();
  int SavedLeft = 0;
  int SavedTop = 0;
  void SetSelectColor(TColor color);
  TColor SelectColor() const { return selectColor_; }
  QTreeWidgetItem* HotEntry() const;
  bool IsHot(const QModelIndex& index) const;
  void SetNextButton(TSkControl* button);
  void SetPrevButton(TSkControl* button);
  TSkControl* NextButton() const { return AsControl(nextButton_.data()); }
  TSkControl* PrevButton() const { return AsControl(prevButton_.data()); }
  void UpdateNavButtons();
  // The HTML pane named by "link_html"; null until found or once freed.
  TSkControl* LinkedHtml() const { return AsControl(linkedHtml_.data()); }

  // Adds "caption=key" to `results` for every entry whose caption holds `text`, letter case
  // aside; never clears or de-duplicates `results`.
  void SearchTitles(const std::string& text, TStrings& results) const;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

 private:
  void RecordHistory();
  void SetHot(QTreeWidgetItem* entry);
  void AttachRecord(QTreeWidgetItem* entry, TTreeRecord* record);
  TTreeRecord* RecordOf(QTreeWidgetItem* entry) const;

  std::vector<std::unique_ptr<TTreeRecord>> records_;
  // Lower-cased keys to the first entry carrying them, so that following pages stays quick.
  std::unordered_map<std::string, QTreeWidgetItem*> keyIndex_;
  std::vector<QIcon> pictures_;
  std::unordered_map<std::string, int> pictureIndexes_;
  std::string listFile_;
  bool openBlock_ = false;
  int historyPos_ = 0;
  bool recording_ = true;
  TStrings historyCaptions_;
  TStrings historyActions_;
  QPointer<QObject> nextButton_;
  QPointer<QObject> prevButton_;
  QPointer<QObject> linkedHtml_;
  QPersistentModelIndex hot_;
  TColor selectColor_ = 0;
  bool selectColorSet_ = false;  // by the key, not the system's highlight
};
