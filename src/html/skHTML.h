// The "html" control: the page pane of the manual. Around the viewer it turns links into commands
// for the engine, keeps a title label and a content tree in step with the page, and finds words
// for the search windows.
#pragma once

#include <QPointer>
#include <functional>
#include <string>

#include "commands/skCommand.h"
#include "controls/skControl.h"
#include "engine/skUseStract.h"
#include "html/uHTMLEx.h"

// What a content tree (plain or checkable) offers the pane that keeps it in step with its page.
class TTreeSync {
 public:
  virtual ~TTreeSync() = default;
  // `key` is a page name relative to the program's folder with backslashes. Unless the selected
  // entry already names that page (letter case ignored), the first entry that does is selected and
  // scrolled into view; when none does, the selection is cleared.
  virtual void SelectByKey(const std::string& key) = 0;
};

class TSkHtml : public THtmlEx, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkHtml(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void AfterKeys(TSkStract& engine) override;
  void Dump(TDumpFields& out) const override;

  // A link to a picture opens the enlarged-picture window; off, it becomes a command.
  bool OpenPictures = true;
  // Receives every command a link produces; unset, those commands are dropped.
  std::function<void(const RHelpAction&)> OnAction;

  // Linked controls (keys "link_tree", "link_tree_ex", "label_title", and the tree's and label's
  // own link keys). A control that is not a tree or label, or null, is ignored.
  void SetLinkedTree(TSkControl* tree);
  void SetLinkedTreeEx(TSkControl* tree);
  void SetTitleLabel(TSkControl* label);
  TSkControl* LinkedTree() const { return AsControl(linkedTree_.data()); }
  TSkControl* LinkedTreeEx() const { return AsControl(linkedTreeEx_.data()); }
  TSkControl* TitleLabel() const { return AsControl(titleLabel_.data()); }
  // The pop-up menu of the "menu" key, once menus exist.
  TSkControl* PopMenu() const { return AsControl(menu_.data()); }

  // Moves the linked tree to `page` before the page is loaded.
  void SyncTree(const std::string& page);
  // The key the linked tree is given for `page`.
  std::string TreeKey(const std::string& page, bool checkable) const;

  void HotSpotClick(const std::string& link, bool& handled) override;
  bool ViewerMouseDown(QMouseEvent* event) override;

 protected:
  void HistoryChanged() override;

 private:
  void Fire(const std::string& command);
  std::string WithPrefix(const std::string& text) const;

  QPointer<QWidget> linkedTree_;
  QPointer<QWidget> linkedTreeEx_;
  QPointer<QWidget> titleLabel_;
  QPointer<QWidget> menu_;
  QPointer<TSkStract> engine_;
};
