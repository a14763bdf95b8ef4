#include "html/skHTML.h"

#include <QMouseEvent>

#include "archive/gPack.h"
#include "controls/skLabel.h"
#include "engine/skProperty.h"
#include "html/uViewPic.h"
#include "platform/pfDesktop.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"
#include "util/skUtils.h"

namespace {

bool IsPictureLinkExt(const std::string& lowExt) {
  return lowExt == ".jpg" || lowExt == ".gif" || lowExt == ".bmp" || lowExt == ".png";
}

// Links the desktop opens: web and mail addresses, whatever else they name.
bool IsShellLink(const std::string& lowLink) {
  return lowLink.find("http:") != std::string::npos || lowLink.find("https:") != std::string::npos ||
         lowLink.find("ftp:") != std::string::npos || lowLink.rfind("mailto:", 0) == 0;
}

TTreeSync* TreeOf(const QPointer<QWidget>& widget) {
  return dynamic_cast<TTreeSync*>(AsControl(widget.data()));
}

}  // namespace

TSkHtml::TSkHtml(QWidget* parent) : THtmlEx(parent), TSkControl(this) {}

bool TSkHtml::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  engine_ = &engine;
  if (key == "move_cursor") {
    SetDragScroll(StrToBoolDef(value, false));
  } else if (key == "load") {
    // A missing first page is shown like any other; the window still builds.
    try {
      LoadPage(value);
    } catch (const EHtmlError& e) {
      platform::ShowMessage(e.what(), platform::MessageKind::Error);
    }
  } else if (key == "menu") {
    if (TSkControl* menu = engine.GetComponent(value, TControlType::PopMenu)) menu_ = menu->Widget();
  } else if (key == "link_tree_ex") {
    SetLinkedTreeEx(engine.GetComponent(value, TControlType::TreeEx));
  } else if (key == "link_tree") {
    SetLinkedTree(engine.GetComponent(value, TControlType::Tree));
  } else if (key == "label_title") {
    SetTitleLabel(engine.GetComponent(value, TControlType::Label));
  } else if (key == "font_name") {
    SetDefFont(value, 0);
  } else if (key == "font_size") {
    SetDefFont({}, StrToInt(value));
  } else {
    return ApplySharedKey(engine, this, key, value, skAnchor | skAction | skMove);
  }
  return true;
}

void TSkHtml::AfterKeys(TSkStract& engine) {
  engine_ = &engine;
  QPointer<TSkStract> target(&engine);
  OnAction = [target](const RHelpAction& action) {
    if (target) GuardedCall([&] { target->DoAction(action); });
  };
}

void TSkHtml::Dump(TDumpFields& out) const {
  out.emplace_back("file", CurrentFile());
  out.emplace_back("title", Title());
  out.emplace_back("index", std::to_string(HistoryIndex()));
  std::string files;
  for (const HistoryEntry& e : History()) files += (files.empty() ? "" : "|") + e.file;
  out.emplace_back("history", files);
  out.emplace_back("selected", SelectedText());
}

void TSkHtml::SetLinkedTree(TSkControl* tree) {
  if (tree) linkedTree_ = tree->Widget();
}

void TSkHtml::SetLinkedTreeEx(TSkControl* tree) {
  if (tree) linkedTreeEx_ = tree->Widget();
}

void TSkHtml::SetTitleLabel(TSkControl* label) {
  if (label) titleLabel_ = label->Widget();
}

std::string TSkHtml::TreeKey(const std::string& page, bool checkable) const {
  // The tree names pages, not places in them.
  const std::string name = page.substr(0, page.find('#'));
  // The viewer's current folder is the program's, and names are looked up from there in the
  // manual's own spelling; an absolute path of the disk would miss every page in the archive.
  std::string path = ResolveManualName(name, "");
  if (!checkable && !PackFileExists(path)) path = ResolveManualName(name, Base());
  return path;
}

void TSkHtml::SyncTree(const std::string& page) {
  if (TTreeSync* tree = TreeOf(linkedTreeEx_)) {
    tree->SelectByKey(TreeKey(page, true));
  } else if (TTreeSync* tree = TreeOf(linkedTree_)) {
    tree->SelectByKey(TreeKey(page, false));
  }
}

void TSkHtml::Fire(const std::string& command) {
  if (OnAction) OnAction(RHelpAction{command, 0, 0, 0});
}

std::string TSkHtml::WithPrefix(const std::string& text) const {
  return Action.empty() ? text : Action + "*" + text;
}

void TSkHtml::HotSpotClick(const std::string& link, bool& handled) {
  handled = false;
  const std::string low = cp1251::Lower(link);
  if (IsShellLink(low)) {
    handled = true;
    ShellRun(link, "", "open");
    return;
  }
  const std::string lowTarget = low.substr(0, low.find('#'));
  const std::string ext = cp1251::Lower(ExtractFileExt(lowTarget));
  if (!link.empty() && link[0] == '$') {
    Fire(WithPrefix(link.substr(1)));
  } else if (ext == ".swf") {
    Fire("swf*" + ResolveManualName(link, Base()));
  } else if (!IsPictureLinkExt(ext)) {
    if (ext == ".htm" || ext == ".html") {
      SyncTree(lowTarget);
    } else if (!lowTarget.empty()) {
      // A link only to a place in the page ("#part") stays in the page.
      ShellRun(ProgramPath(ResolveManualName(link.substr(0, link.find('#')), Base())), "", "open");
    }
  } else {
    handled = true;
    if (OpenPictures)
      ShowPicture(CurrentFile().empty() ? Base() : CurrentFile(), link);
    else
      Fire(WithPrefix(link));
  }
}

bool TSkHtml::ViewerMouseDown(QMouseEvent* event) {
  // With "move" the pane is a handle of its window.
  if (OnDragWindow) {
    if (event->button() == Qt::LeftButton) OnDragWindow();
    return true;
  }
  return THtmlEx::ViewerMouseDown(event);
}

void TSkHtml::HistoryChanged() {
  const std::size_t index = static_cast<std::size_t>(HistoryIndex());
  const std::string title = index < History().size() ? History()[index].title : std::string();
  if (TSkControl* label = TitleLabel()) label->SetCaption(title);
  // A label may name this pane itself ("html_title").
  if (engine_)
    for (TSkControl* c : engine_->ControlsOf(TControlType::Label))
      if (auto* l = dynamic_cast<TSkLabel*>(c); l && l != TitleLabel() && l->HtmlTitle() == this)
        l->SetCaption(title);
  THtmlEx::HistoryChanged();
}
